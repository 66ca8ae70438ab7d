// Commands on the map characters: placing, removing, walking, turning and
// showing them. Every command that names a character checks the number
// first: outside 1 ... 40 is run error 7, an empty slot 11.

#include "rpg/engine/actor_load.h"
#include "rpg/engine/actors.h"
#include "rpg/engine/commands.h"
#include "rpg/engine/game_init.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/npc_motion.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sprites.h"

namespace cmd {
namespace {

constexpr uint8_t kBadNumber = 7;
constexpr uint8_t kEmptySlot = 11;
constexpr uint8_t kNpcKind = 2;
constexpr uint8_t kSmallNpcKind = 4;
constexpr uint8_t kWandering = 3;
constexpr uint8_t kStepping = 4;

// The record of map character n (1 ... 40), or null with runStatus set.
NpcRecord* Named(uint8_t n) {
  if (n < 1 || n > kNpcSlots) {
    game.runStatus = kBadNumber;
    return nullptr;
  }
  if (!game.npcs[n - 1]) game.runStatus = kEmptySlot;
  return game.npcs[n - 1];
}

ActorHeader& Hero() { return game.party[game.partyLeader % kPartySlots].header; }

// Where an actor stands and how it faces: the hero (0) or a character.
struct Actor {
  uint8_t who;
  int x, y;
  uint8_t* facing;
  uint8_t* step;
};

bool Resolve(uint8_t who, Actor* out) {
  if (who == 0) {
    ActorHeader& hero = Hero();
    *out = {0, game.viewX + hero.viewCol, game.viewY + hero.viewRow, &hero.facing, &hero.step};
    return true;
  }
  NpcRecord* npc = Named(who);
  if (!npc) return false;
  *out = {who, npc->x, npc->y, &npc->facing, &npc->step};
  return true;
}

// Shows an actor again after its facing or step changed.
void Redraw(const Actor& a) {
  if (a.who == 0) {
    RestoreTilesUnder(Hero().viewCol, Hero().viewRow);
    DrawHero();
  } else {
    EraseNpc(uint8_t(a.who - 1));
    DrawNpc(uint8_t(a.who - 1));
  }
}

constexpr uint8_t kUp = 1, kRight = 2, kDown = 3, kLeft = 4;

}  // namespace

CommandResult PlaceNpc(const Instruction& inst) {
  PlaceActor(uint8_t(Byte(inst, 0) - 1), kNpcKind, Byte(inst, 1), Byte(inst, 2), Byte(inst, 3));
  return Next(inst);
}

CommandResult PlaceSmallNpc(const Instruction& inst) {
  PlaceActor(uint8_t(Byte(inst, 0) - 1), kSmallNpcKind, Byte(inst, 1), Byte(inst, 2),
             Byte(inst, 3));
  return Next(inst);
}

CommandResult DropNpc(const Instruction& inst) {
  if (Named(Byte(inst, 0))) {
    EraseNpc(uint8_t(Byte(inst, 0) - 1));
    RemoveNpc(uint8_t(Byte(inst, 0) - 1));
  }
  return Next(inst);
}

CommandResult WalkNpc(const Instruction& inst) {
  if (Named(Byte(inst, 0))) MoveNpcTo(uint8_t(Byte(inst, 0) - 1), Byte(inst, 1), Byte(inst, 2));
  return Next(inst);
}

CommandResult Face(const Instruction& inst) {
  Actor a, b;
  if (!Resolve(Byte(inst, 0), &a) || !Resolve(Byte(inst, 1), &b)) return Next(inst);
  if (a.x < b.x) *a.facing = kRight, *b.facing = kLeft;
  if (a.x > b.x) *a.facing = kLeft, *b.facing = kRight;
  // A vertical difference wins over a horizontal one.
  if (a.y < b.y) *a.facing = kDown, *b.facing = kUp;
  if (a.y > b.y) *a.facing = kUp, *b.facing = kDown;
  Redraw(a);
  Redraw(b);
  PresentScene();
  return Next(inst);
}

CommandResult Turn(const Instruction& inst) {
  Actor a;
  if (!Resolve(Byte(inst, 0), &a)) return Next(inst);
  *a.facing = uint8_t(Byte(inst, 1) % 4 + 1);
  *a.step = uint8_t(Byte(inst, 2) % 3);
  Redraw(a);
  PresentScene();
  return Next(inst);
}

CommandResult NpcMode(const Instruction& inst) {
  if (NpcRecord* npc = Named(Byte(inst, 0))) {
    const uint8_t m = Byte(inst, 1);
    npc->mode = m == 0 ? 0 : m == 1 ? kWandering : kStepping;
  }
  return Next(inst);
}

CommandResult ShowNpc(const Instruction& inst) {
  const uint8_t n = Byte(inst, 0);
  // Numbers outside 1 ... 40 show nothing new.
  if (n >= 1 && n <= kNpcSlots) {
    if (NpcRecord* npc = Named(n)) {
      npc->step = 1;
      DrawNpc(uint8_t(n - 1));
    }
  }
  if (!game.runStatus) PresentScene();
  return Next(inst);
}

CommandResult ClearNpcs(const Instruction& inst) {
  ReleaseGame(kReleaseNpcs);
  return Next(inst);
}

}  // namespace cmd
