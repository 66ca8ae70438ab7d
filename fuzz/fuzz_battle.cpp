// The battle's readers of library data on arbitrary bytes: an enemy record
// loaded into a slot (its picture and magic list looked up), the enemy's
// choice of action from its magic list, a member's level-up from its level
// table, and the frame-by-frame walk of an effect animation. The input:
//   0-1   the random value r, little-endian (taken to 0 ... 32767)
//   2     the enemy slot LoadEnemy is given (0 ... 3; 3 is refused)
//   3, 4  where the effect is played (x, y)
//   5-30  the member's CharStats
//   31-38 little-endian lengths of the enemy record, the magic list, the
//         magic record and the level table, which follow in that order; the
//         effect animation is the rest.
// The parts become one library: a one-byte picture at the key the enemy's
// byte 46 names, the magic list at the key its byte 47 names, the magic
// record at the key the list's first entry names, and the level table of
// member 1; the enemy record is read from the input, as LoadEnemy is given
// it. Nothing may be read outside the library or the effect.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "codec/bytes.h"
#include "rpg/battle/enemy_choice.h"
#include "rpg/battle/enemy_load.h"
#include "rpg/engine/effect_data.h"
#include "rpg/engine/effect_timeline.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/picture_data.h"
#include "rpg/format/actor_records.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"
#include "rpg/party/level_table.h"
#include "rpg/party/level_up.h"

namespace {

using Span = std::span<const std::uint8_t>;
using rpgfmt::ResType;

constexpr std::size_t kStatsAt = 5;
constexpr std::size_t kLengthsAt = kStatsAt + rpgfmt::charstats::kSize;
constexpr std::size_t kParts = 4;
constexpr std::size_t kHeader = kLengthsAt + 2 * kParts;
constexpr std::uint8_t kMemberId = 1;
// Frames an effect may run: beyond them a long effect only repeats itself.
constexpr int kMaxFrames = 2048;

struct Input {
  int r;
  std::uint8_t slot, x, y;
  Span stats;
  std::array<Span, kParts> parts;  // enemy, magic list, magic record, level table
  Span effect;
};

Input Split(Span in) {
  Input out{};
  out.r = codec::LoadLe<std::uint16_t>(in.data()) & 0x7FFF;
  out.slot = in[2] & 3;
  out.x = in[3];
  out.y = in[4];
  out.stats = in.subspan(kStatsAt, rpgfmt::charstats::kSize);
  std::size_t at = kHeader;
  for (std::size_t p = 0; p < kParts; ++p) {
    const std::size_t size = std::min<std::size_t>(
        codec::LoadLe<std::uint16_t>(in.data() + kLengthsAt + 2 * p), in.size() - at);
    out.parts[p] = in.subspan(at, size);
    at += size;
  }
  out.effect = in.subspan(at);
  return out;
}

std::uint8_t ByteOr(Span b, std::size_t at, std::uint8_t fallback) {
  return at < b.size() ? b[at] : fallback;
}

rpgfmt::ResKey Key(ResType type, std::uint8_t id1, std::uint8_t id2) {
  return {std::uint8_t(type), id1, id2};
}

std::vector<std::uint8_t> Library(const Input& in) {
  namespace chain = rpgfmt::magicchain;
  static constexpr std::uint8_t kPicture[] = {0};
  const Span enemy = in.parts[0], list = in.parts[1];
  const std::uint8_t listId = ByteOr(enemy, rpgfmt::enemyrec::kMagicList, 1);
  const rpgfmt::LibResource all[] = {
      {Key(ResType::kActorSheet, 3, ByteOr(enemy, rpgfmt::enemyrec::kPicture, 1)), kPicture},
      {Key(ResType::kMagicList, 1, listId), list},
      {Key(ResType::kMagicRecord, ByteOr(list, chain::kEntries + chain::kEntryClass, 1),
           ByteOr(list, chain::kEntries + chain::kEntryId, 1)),
       in.parts[2]},
      {Key(ResType::kMagicList, 2, kMemberId), in.parts[3]},
  };
  // The writer refuses empty resources: an empty part is left out, as a
  // missing resource. The keys differ by type or id1.
  std::vector<rpgfmt::LibResource> kept;
  for (const rpgfmt::LibResource& r : all) {
    if (!r.bytes.empty()) kept.push_back(r);
  }
  return rpgfmt::WriteLibrary(std::array<char, 1>{'f'}, kept).image;
}

void Member(Span stats) {
  static_assert(sizeof(CharStats) == rpgfmt::charstats::kSize);
  PartySlot& member = game.party[0];
  member.header.id = kMemberId;
  std::memcpy(&member.stats, stats.data(), sizeof member.stats);
}

void Enemy(const Input& in) {
  LoadEnemy(in.slot, in.parts[0]);
  ChooseEnemyActionWith(in.slot % kEnemySlots, in.r);
}

void LevelUp(int r) {
  game.runStatus = 0;
  LevelTable table;
  if (!FindLevelTable(kMemberId, &table)) return;
  LevelRow before;
  (void)LevelUpWith(0, table, r, &before);
}

// The first and last byte of a frame's bits: the span is contiguous, so
// the sanitizer sees any part of it outside the effect's bytes.
unsigned Touch(Span bytes) { return bytes.empty() ? 0 : bytes.front() + bytes.back(); }

unsigned Show(const EffectData& e, int k, const Input& in) {
  const PlacedElement p = PlaceElement(e, k, in.x, in.y);
  return p.pic ? Touch(PicFrameBits(*p.pic, 0)) : 0;
}

void Effect(const Input& in) {
  const std::optional<EffectData> e = ReadEffect(in.effect);
  if (!e || e->Empty()) return;
  EffectTimeline timeline(*e);
  volatile unsigned seen = 0;
  for (int frame = 0; frame < kMaxFrames; ++frame) {
    const bool redraw = timeline.Age([&](int k) { seen = seen + Show(*e, k, in); });
    for (int k = timeline.First(); redraw && k <= timeline.Newest(); ++k) {
      if (timeline.Shown(k)) seen = seen + Show(*e, k, in);
    }
    if (!timeline.StartDue()) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const Input in = Split(Span(data, size));
  std::vector<std::uint8_t> image = Library(in);
  if (image.empty()) return 0;
  ResetGameState();
  game.libImage = image.data();
  game.libSize = std::uint32_t(image.size());
  Member(in.stats);
  Enemy(in);
  LevelUp(in.r);
  Effect(in);
  ResetGameState();
  return 0;
}
