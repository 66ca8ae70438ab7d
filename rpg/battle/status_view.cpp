#include "rpg/battle/status_view.h"

#include <optional>

#include "host/msg.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"

namespace {

constexpr int kIconX[kStatusCount] = {9, 25, 41, 57, 73, 88, 104};
constexpr int kTurnsX[kStatusCount] = {10, 26, 42, 58, 74, 90, 106};
constexpr int kIconY = 48, kTurnsY = 57;
constexpr int kRaised = 0, kLowered = 1, kCanReceive = 2, kImmune = 3, kNoChange = 4;
constexpr int kNumberStyle = 1;

// A bonus with its top bit set is a lowering, as the rules read it (the
// rules hold an agility lowering of 128 or more at 0x80).
int ChangeFrame(uint16_t bonus, uint16_t firstLowering) {
  if (bonus == 0) return kNoChange;
  return bonus < firstLowering ? kRaised : kLowered;
}

int IconFrame(int member, int status) {
  const StatBonus& b = BonusOf({kPartySide, member});
  switch (status) {
    case kAttackChange:
      return ChangeFrame(b.attack, 0x8000);
    case kDefenceChange:
      return ChangeFrame(b.defence, 0x8000);
    case kAgilityChange:
      return ChangeFrame(b.agility, 0x80);
    default:
      return game.party[member].stats.immunity & StatusBit(status) ? kImmune : kCanReceive;
  }
}

// The top left corner of the view's background, centred on the screen.
std::optional<Point> ViewCorner() {
  const std::optional<PicInfo> pic =
      ReadPicHeader(LibResource(kBattlePictures, kInterface, kStatusPanel));
  game.runStatus = 0;
  if (!pic) return std::nullopt;
  return Point{(159 - pic->width) / 2, (96 - pic->height) / 2};
}

int NextMember(int member, int step) {
  for (int k = 1; k <= kPartySlots; ++k) {
    const int slot = (member + step * k + kPartySlots * 2) % kPartySlots;
    if (Occupied({kPartySide, slot})) return slot;
  }
  return member;
}

}  // namespace

void DrawStatusView(int member) {
  const std::optional<Point> at = ViewCorner();
  if (!at || game.runStatus) return;
  const auto X = [&](int dx) { return int16_t(at->x + dx); };
  const auto Y = [&](int dy) { return int16_t(at->y + dy); };
  const CharStats& s = game.party[member].stats;
  DrawPic(kBattlePictures, kInterface, kStatusPanel, 0, X(0), Y(0));
  DrawPic(kBattlePictures, kFaces, game.party[member].header.id, 0, X(7), Y(4));
  DrawNumber(X(50), Y(9), s.hp, kNumberStyle);
  DrawNumber(X(87), Y(9), s.luck, kNumberStyle);
  DrawNumber(X(50), Y(21), s.attack, kNumberStyle);
  DrawNumber(X(87), Y(21), s.agility, kNumberStyle);
  const StatusCounters& counters = StatusesOf({kPartySide, member});
  for (int status = 0; status < kStatusCount; ++status) {
    const int frame = IconFrame(member, status);
    DrawPic(kBattlePictures, kInterface, kStatusIcon, frame, X(kIconX[status]), Y(kIconY));
    if (frame == kImmune) continue;
    const int turns = counters.On(status) ? counters.turns[status] : 0;
    DrawNumber(X(kTurnsX[status]), Y(kTurnsY), uint32_t(turns), kNumberStyle);
  }
  PresentScene();
}

void BattleStatusView(int member) {
  if (game.runStatus) return;
  SaveScene();
  for (;;) {
    DrawStatusView(member);
    const uint8_t key = WaitKeyDown();
    if (key == kNoKey || key == kKeyEscape || game.runStatus) break;
    if (key == kKeyLeft) member = NextMember(member, -1);
    if (key == kKeyRight) member = NextMember(member, 1);
    RestoreScene();
  }
  RestoreScene();
  PresentScene();
}
