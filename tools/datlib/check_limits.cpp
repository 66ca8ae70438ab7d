#include "tools/datlib/check_limits.h"

#include <algorithm>
#include <map>
#include <optional>

#include "codec/bytes.h"
#include "rpg/format/item_records.h"
#include "rpg/format/map.h"
#include "rpg/format/script_command_types.h"
#include "rpg/format/picture.h"
#include "rpg/format/records.h"
#include "tools/datlib/library_read.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;
using rpgfmt::ResType;
namespace actor = rpgfmt::actor;
namespace anim = rpgfmt::anim;
namespace chain = rpgfmt::magicchain;

constexpr int kItemCell = 24;

class LimitCheck {
 public:
  LimitCheck(const rpgfmt::LibraryView& lib, const std::string& name, Diagnostics& diag)
      : lib_(lib), name_(name), diag_(diag) {}

  void Run() {
    for (const rpgfmt::LibEntry& e : lib_.entries) {
      const auto bytes = lib_.Bytes(e);
      switch (static_cast<ResType>(e.key.type)) {
        case ResType::kActorRecord:
        case ResType::kItemRecord:
        case ResType::kMagicList:
          Record(e.key, bytes);
          break;
        case ResType::kAnimation:
          Animation(e.key, bytes);
          break;
        case ResType::kMap:
          MapTiles(e.key, bytes);
          break;
        default:
          break;
      }
    }
    WalkingSheets();
  }

 private:
  void Warn(ResKey at, const std::string& message) { diag_.Warning(EntryPos(name_, at), message); }

  void Record(ResKey key, std::span<const std::uint8_t> b) {
    const rpgfmt::RecordLayout* layout = rpgfmt::LayoutForKey(key);
    if (layout == nullptr || rpgfmt::RecordSize(*layout, b) == 0) return;
    switch (layout->kind) {
      case rpgfmt::RecordKind::kCharacterSheet:
        Pose(key, b);
        ChainCount(key, b[rpgfmt::charsheet::kChain], b[rpgfmt::charsheet::kChainCount], "");
        sheets_.emplace(Key(ResType::kActorSheet, 1, b[rpgfmt::charsheet::kSprite]), key);
        break;
      case rpgfmt::RecordKind::kMapCharacter:
        Pose(key, b);
        sheets_.emplace(Key(ResType::kActorSheet, b[actor::kPicGroup], b[rpgfmt::npcrec::kPicture]),
                        key);
        break;
      case rpgfmt::RecordKind::kLevelTable:
        LevelRows(key, b);
        break;
      case rpgfmt::RecordKind::kItem:
        Item(key, b);
        break;
      default:
        break;
    }
  }

  void Pose(ResKey key, std::span<const std::uint8_t> b) {
    const int facing = b[actor::kFacing], step = b[actor::kStep];
    if (facing < actor::kFirstFacing || facing > actor::kLastFacing) {
      Warn(key, "facing " + std::to_string(facing) +
                    " is outside 1 ... 4; the game draws no pose for it");
    }
    if (step > actor::kLastStep) {
      Warn(key,
           "step " + std::to_string(step) + " is above 3; the game draws no pose the sheet lacks");
    }
  }

  // The magics a character copies from its chain: the chain's entries, at
  // most 50; nothing when the chain is missing (the reference check says so).
  std::optional<int> ChainLimit(std::uint8_t chainId) const {
    const std::optional<int> entries =
        ChainEntries(FindBytes(lib_, Key(ResType::kMagicList, 1, chainId)));
    if (!entries) return std::nullopt;
    return std::min<int>(*entries, chain::kMaxEntries);
  }

  void ChainCount(ResKey key, std::uint8_t chainId, int count, const std::string& where) {
    if (chainId == 0 || count == 0) return;
    const std::optional<int> limit = ChainLimit(chainId);
    if (!limit || count <= *limit) return;
    Warn(key, where + "chain count " + std::to_string(count) + " is beyond the " +
                  std::to_string(*limit) + " magics the game takes from chain " +
                  KeyName(Key(ResType::kMagicList, 1, chainId)) + " (its entries, at most 50)");
  }

  // Each row's chain count refers to the chain of the table's character.
  void LevelRows(ResKey key, std::span<const std::uint8_t> b) {
    namespace table = rpgfmt::leveltable;
    const rpgfmt::LibEntry* sheet = lib_.Find(Key(ResType::kActorRecord, 1, key.id2));
    if (sheet == nullptr) return;
    const auto s = lib_.Bytes(*sheet);
    if (s.size() < rpgfmt::charsheet::kSize) return;
    const std::uint8_t chainId = s[rpgfmt::charsheet::kChain];
    const auto c = FindBytes(lib_, Key(ResType::kMagicList, 1, chainId));
    for (std::size_t row = 0; row < b[table::kLastLevel]; ++row) {
      const std::uint8_t count = b[table::kRows + row * table::kRowSize + table::kRowChainCount];
      const std::string where = "level " + std::to_string(row + 1) + ": ";
      if (chainId != 0 && c.size() > chain::kCount && count > c[chain::kCount]) {
        // Learning up to the row's count fails in play (run error 15).
        diag_.Error(EntryPos(name_, key),
                    where + "chain count " + std::to_string(count) + " is above the " +
                        std::to_string(c[chain::kCount]) + " entries of chain " +
                        KeyName(Key(ResType::kMagicList, 1, chainId)) +
                        "; reaching this level stops the game");
        continue;
      }
      ChainCount(key, chainId, count, where);
    }
  }

  // An item's flag must be one of the 2400; its picture must fit the item
  // list's 24 x 24 cells.
  void Item(ResKey key, std::span<const std::uint8_t> b) {
    namespace item = rpgfmt::itemrec;
    const int flag = codec::LoadLe<std::uint16_t>(b.data() + item::kFlag);
    if (flag >= rpgfmt::kFlagCount) {
      Warn(key, "event flag " + std::to_string(flag) + " is beyond the " +
                    std::to_string(rpgfmt::kFlagCount) + " flags; the game sets and clears nothing for it");
    }
    const ResKey picKey = Key(ResType::kItemPicture, key.id1, b[item::kPicture]);
    const rpgfmt::LibEntry* e = lib_.Find(picKey);
    if (e == nullptr) return;
    const auto view = rpgfmt::ViewPicture(lib_.Bytes(*e));
    if (view && (view->width > kItemCell || view->height > kItemCell)) {
      Warn(key, "picture " + KeyName(picKey) + " of " + std::to_string(view->width) + " x " +
                    std::to_string(view->height) + " is larger than the 24 x 24 the item list shows");
    }
  }

  void Animation(ResKey key, std::span<const std::uint8_t> b) {
    if (b.size() < anim::kHeaderSize) return;
    const std::size_t n = b[anim::kCount], p = b[anim::kPictureCount];
    if (anim::ElementAt(n) > b.size()) {
      Warn(key, std::to_string(n) + " elements run past the resource");
      return;
    }
    if (n > 0 && b[anim::kLast] >= n) {
      Warn(key, "last element " + std::to_string(b[anim::kLast]) + " is at or beyond its " +
                    std::to_string(n) + " elements; the game plays up to element " +
                    std::to_string(n - 1));
    }
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t picture = b[anim::ElementAt(i) + anim::kElementPicture];
      if (picture < p) continue;
      Warn(key, "element " + std::to_string(i) + " shows picture " + std::to_string(picture) +
                    " of " + std::to_string(p) + "; the game draws nothing for it");
    }
  }

  void MapTiles(ResKey key, std::span<const std::uint8_t> b) {
    const auto map = rpgfmt::DecodeMap(b);
    if (!map) return;
    const ResKey setKey = Key(ResType::kTileSet, 1, map->map.tileSet);
    const int tiles = Frames(setKey);
    if (tiles == 0) return;
    int lacking = 0;
    std::string first;
    for (int y = 0; y < map->map.height; ++y) {
      for (int x = 0; x < map->map.width; ++x) {
        const int tile = rpgfmt::TileImage(map->map.At(x, y).tile);
        if (tile < tiles) continue;
        if (lacking++ == 0) {
          first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") with tile " +
                  std::to_string(tile);
        }
      }
    }
    if (lacking == 0) return;
    Warn(key, std::to_string(lacking) + " cell" + (lacking == 1 ? "" : "s") + ", first " + first +
                  ", show a tile beyond the " + std::to_string(tiles) + " of tile set " +
                  KeyName(setKey) + "; the game draws them white");
  }

  // Frames of a picture resource; 0 when it is missing or unreadable.
  int Frames(ResKey key) const {
    const rpgfmt::LibEntry* e = lib_.Find(key);
    if (e == nullptr) return 0;
    const auto view = rpgfmt::ViewPicture(lib_.Bytes(*e));
    return view ? view->frames : 0;
  }

  void WalkingSheets() {
    for (const auto& [sheet, user] : sheets_) {
      const int frames = Frames(sheet);
      if (frames == 0 || frames >= actor::kWalkingPoses) continue;
      Warn(sheet, "walking sheet of " + std::to_string(frames) + " frames, used by " +
                      KeyName(user) + "; walking takes 12 poses (3 per facing)");
    }
  }

  const rpgfmt::LibraryView& lib_;
  const std::string& name_;
  Diagnostics& diag_;
  std::map<ResKey, ResKey> sheets_;  // walking sheet, first record using it
};

}  // namespace

void CheckGameLimits(const rpgfmt::LibraryView& lib, const std::string& name, Diagnostics& diag) {
  LimitCheck(lib, name, diag).Run();
}

}  // namespace datlib
