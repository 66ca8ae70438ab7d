#include "tools/datlib/check_battle.h"

#include <optional>

#include "codec/bytes.h"
#include "rpg/format/records.h"
#include "rpg/format/script_command_types.h"
#include "tools/datlib/check_jumps.h"
#include "tools/datlib/library_read.h"
#include "tools/datlib/script_refs.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;
using rpgfmt::ResType;
namespace enemy = rpgfmt::enemyrec;
namespace chain = rpgfmt::magicchain;
namespace table = rpgfmt::leveltable;
namespace stats = rpgfmt::charstats;

// The magic rule scales by x / 64 per point of spirit; from 64 on a target
// takes nothing and a caster more than doubles.
constexpr int kSpiritLimit = 64;
// Magic class 5 is theft; a target byte of 128 or more aims at a whole side.
constexpr std::uint8_t kTheftClass = 5, kWholeSide = 128;
constexpr std::size_t kRowNextExp = rpgfmt::OffsetOf(table::kRow, "nextExp");
constexpr std::size_t kRowSpirit = rpgfmt::OffsetOf(table::kRow, "spirit");

std::uint16_t U16At(std::span<const std::uint8_t> b, std::size_t at) {
  return codec::LoadLe<std::uint16_t>(b.data() + at);
}

class BattleCheck {
 public:
  BattleCheck(const rpgfmt::LibraryView& lib, const std::string& name, Diagnostics& diag)
      : lib_(lib), name_(name), diag_(diag) {}

  void Run() {
    for (const rpgfmt::LibEntry& e : lib_.entries) {
      const auto bytes = lib_.Bytes(e);
      const rpgfmt::RecordLayout* layout = rpgfmt::LayoutForKey(e.key);
      if (layout == nullptr || rpgfmt::RecordSize(*layout, bytes) == 0) continue;
      switch (layout->kind) {
        case rpgfmt::RecordKind::kEnemy: Enemy(e.key, bytes); break;
        case rpgfmt::RecordKind::kLevelTable: LevelRows(e.key, bytes); break;
        case rpgfmt::RecordKind::kCharacterSheet: SheetNextExp(e.key, bytes); break;
        case rpgfmt::RecordKind::kMagic: Magic(e.key, bytes); break;
        default: break;
      }
    }
  }

 private:
  void Warn(ResKey at, const std::string& message) { diag_.Warning(EntryPos(name_, at), message); }
  void Fail(ResKey at, const std::string& message) { diag_.Error(EntryPos(name_, at), message); }

  void Spirit(ResKey key, int spirit, const std::string& where) {
    if (spirit < kSpiritLimit) return;
    Warn(key, where + "spirit " + std::to_string(spirit) +
                  " is 64 or more, outside the range of the magic rule (x / 64 per point)");
  }

  void Enemy(ResKey key, std::span<const std::uint8_t> b) {
    MagicCount(key, b[enemy::kMagicCount], b[enemy::kMagicList]);
    const int hp = U16At(b, enemy::kStats + stats::kHp);
    const int maxHp = U16At(b, enemy::kStats + stats::kMaxHp);
    if (hp == 0 || hp > maxHp) {
      Warn(key, "hp " + std::to_string(hp) + " is outside 1 ... maxHp " + std::to_string(maxHp));
    }
    Spirit(key, b[enemy::kSpirit], "");
  }

  // The battle copies as many entries as the list holds and lowers the
  // count to that, so magics counted beyond it are never cast.
  void MagicCount(ResKey key, int count, std::uint8_t listId) {
    if (count == 0) return;
    if (listId == 0) {
      Fail(key, "magic count " + std::to_string(count) +
                    " without a magic list; the enemy never casts");
      return;
    }
    const ResKey listKey = Key(ResType::kMagicList, 1, listId);
    const std::optional<int> found = ChainEntries(FindBytes(lib_, listKey));
    if (!found) return;  // missing: the reference check reports it
    const int entries = *found;
    if (count <= entries) return;
    Fail(key, "magic count " + std::to_string(count) + " is above the " + std::to_string(entries) +
                  " entries of magic list " + KeyName(listKey) +
                  "; the enemy never casts the magics beyond them");
  }

  void LevelRows(ResKey key, std::span<const std::uint8_t> b) {
    for (std::size_t row = 0; row < b[table::kLastLevel]; ++row) {
      Spirit(key, b[table::kRows + row * table::kRowSize + kRowSpirit],
             "level " + std::to_string(row + 1) + ": ");
    }
  }

  // A new member starts from its sheet; the level-up compares its
  // experience with the row's nextExp, so the two should agree.
  void SheetNextExp(ResKey key, std::span<const std::uint8_t> b) {
    const ResKey tableKey = Key(ResType::kMagicList, 2, key.id2);
    const auto t = FindBytes(lib_, tableKey);
    const int level = b[rpgfmt::charsheet::kStats + stats::kLevel];
    if (t.size() <= table::kLastLevel || level == 0 || level > t[table::kLastLevel]) return;
    const std::size_t row = table::kRows + static_cast<std::size_t>(level - 1) * table::kRowSize;
    if (row + table::kRowSize > t.size()) return;
    const int sheet = U16At(b, rpgfmt::charsheet::kStats + stats::kNextExp);
    const int expected = U16At(t, row + kRowNextExp);
    if (sheet == expected) return;
    Warn(key, "nextExp " + std::to_string(sheet) + " is unlike the " + std::to_string(expected) +
                  " of level " + std::to_string(level) + " in level table " + KeyName(tableKey));
  }

  void Magic(ResKey key, std::span<const std::uint8_t> b) {
    if (key.id1 != kTheftClass || b[rpgfmt::magicrec::kTarget] < kWholeSide) return;
    Warn(key, "a class-5 magic aimed at a whole side; a theft from all enemies steals nothing");
  }

  const rpgfmt::LibraryView& lib_;
  const std::string& name_;
  Diagnostics& diag_;
};

}  // namespace

void CheckBattleRecords(const rpgfmt::LibraryView& lib, const std::string& name,
                        Diagnostics& diag) {
  BattleCheck(lib, name, diag).Run();
}

void CheckBattleCommands(std::span<const std::uint8_t> resource, const SourcePos& where,
                         Diagnostics& diag) {
  const auto view = rpgfmt::ReadScript(resource);
  if (!view) return;
  ForEachInstruction(*view, [&](const rpgfmt::Instruction& inst) {
    if (inst.command->code != static_cast<std::uint8_t>(rpgfmt::Op::kBattle)) return;
    const auto ops = inst.Operands();
    if (ops[1].value != 0 || ops[2].value != 0 || ops[3].value != 0) return;
    diag.Error(where, CodeOffsetText(inst.pc) + ": Battle with enemy ids 0, 0 and 0 has no enemy "
                                                "to fight");
  });
}

}  // namespace datlib
