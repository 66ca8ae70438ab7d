#include "tools/datlib/check_refs.h"

#include "rpg/format/records.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;
using rpgfmt::ResType;

ResKey Key(ResType t, std::uint8_t id1, std::uint8_t id2) {
  return {static_cast<std::uint8_t>(t), id1, id2};
}

// Item kinds of the eight equipment bytes of a character sheet.
constexpr std::uint8_t kEquipKinds[8] = {1, 2, 4, 5, 7, 3, 6, 6};

void CharacterRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  out.push_back({k, Key(ResType::kActorSheet, 1, b[rpgfmt::charsheet::kSprite]), false,
                 "walking sprite"});
  if (b[rpgfmt::charsheet::kChain] != 0) {
    out.push_back({k, Key(ResType::kMagicList, 1, b[rpgfmt::charsheet::kChain]), false,
                   "magic chain"});
  }
  for (std::size_t i = 0; i < 8; ++i) {
    if (b[24 + i] != 0) {
      out.push_back({k, Key(ResType::kItemRecord, kEquipKinds[i], b[24 + i]), false,
                     "equipment"});
    }
  }
}

void EnemyRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  out.push_back({k, Key(ResType::kActorSheet, 3, b[rpgfmt::enemyrec::kPicture]), false,
                 "picture"});
  if (b[rpgfmt::enemyrec::kMagicList] != 0) {
    out.push_back({k, Key(ResType::kMagicList, 1, b[rpgfmt::enemyrec::kMagicList]), false,
                   "magic list"});
  }
  if (b[42] != 0) out.push_back({k, Key(ResType::kItemRecord, b[40], b[41]), false, "steal item"});
  if (b[45] != 0) out.push_back({k, Key(ResType::kItemRecord, b[43], b[44]), false, "drop item"});
}

// Thrown (8) and restorative (9) items play the effect animation named by
// bytes 5 and 4 of their effect block.
void ItemRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  out.push_back({k, Key(ResType::kItemPicture, b[0], b[rpgfmt::itemrec::kPicture]), true,
                 "picture"});
  const std::size_t effect = rpgfmt::itemrec::kEffect;
  if ((b[0] == 8 || b[0] == 9) && b[effect + 4] != 0) {
    out.push_back({k, Key(ResType::kAnimation, b[effect + 5], b[effect + 4]), false,
                   "effect animation"});
  }
}

void ChainRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  const std::size_t n = b[2];
  for (std::size_t i = 0; i < n && 3 + 2 * i + 1 < b.size(); ++i) {
    out.push_back({k, Key(ResType::kMagicRecord, b[3 + 2 * i], b[4 + 2 * i]), false, "magic"});
  }
}

void RecordRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  const rpgfmt::RecordLayout* layout = rpgfmt::LayoutForKey(k);
  if (layout == nullptr || rpgfmt::RecordSize(*layout, b) == 0) return;
  switch (layout->kind) {
    case rpgfmt::RecordKind::kCharacterSheet:
      CharacterRefs(k, b, out);
      break;
    case rpgfmt::RecordKind::kMapCharacter:
      out.push_back({k, Key(ResType::kActorSheet, b[0], b[rpgfmt::npcrec::kPicture]), false,
                     "picture sheet"});
      break;
    case rpgfmt::RecordKind::kEnemy:
      EnemyRefs(k, b, out);
      break;
    case rpgfmt::RecordKind::kItem:
      ItemRefs(k, b, out);
      break;
    case rpgfmt::RecordKind::kMagic:
      if (b[rpgfmt::magicrec::kAnimation] != 0) {
        out.push_back({k, Key(ResType::kAnimation, 2, b[rpgfmt::magicrec::kAnimation]), false,
                       "effect animation"});
      }
      break;
    case rpgfmt::RecordKind::kMagicChain:
      ChainRefs(k, b, out);
      break;
    case rpgfmt::RecordKind::kLevelTable:
      out.push_back({k, Key(ResType::kActorRecord, 1, k.id2), false, "character", false});
      break;
  }
}

std::string Site(const ScriptSite& site) {
  std::string out = site.command != nullptr ? std::string(site.command->mnemonic) : "command";
  return out + " at " + CodeOffsetText(site.offset);
}

}  // namespace

std::vector<Reference> DataReferences(const rpgfmt::LibraryView& lib) {
  std::vector<Reference> out;
  for (const rpgfmt::LibEntry& e : lib.entries) {
    const auto bytes = lib.Bytes(e);
    if (e.key.type == static_cast<std::uint8_t>(ResType::kMap) && bytes.size() > 2) {
      out.push_back({e.key, Key(ResType::kTileSet, 1, bytes[2]), false, "tile set"});
    } else {
      RecordRefs(e.key, bytes, out);
    }
  }
  return out;
}

bool EngineUses(ResKey key, const rpgfmt::LibraryView& lib) {
  switch (static_cast<ResType>(key.type)) {
    case ResType::kScript:  // title extras, the new game, and the menu's scripts
      return key.id1 == 0 || key.id1 == 255 || (key.id1 == 1 && key.id2 == 1);
    case ResType::kAnimation:  // status effects, the defeat wait, the title menu
      return key.id1 == 1 && key.id2 >= 240;
    case ResType::kPicture:  // faces, interface, battle pictures, backgrounds, bands
      return true;
    case ResType::kUnreadGgj:
      return true;
    case ResType::kMagicList:  // a level table belongs to its character
      return key.id1 == 2 && lib.Find(Key(ResType::kActorRecord, 1, key.id2)) != nullptr;
    default:
      return false;
  }
}

std::vector<Reference> ScriptReferences(ResKey from, const ScriptRefs& refs) {
  std::vector<Reference> out;
  for (const ScriptResourceRef& r : refs.resources) {
    out.push_back({from, r.key, r.optional, Site(r.site)});
  }
  return out;
}

}  // namespace datlib
