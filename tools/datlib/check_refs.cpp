#include "tools/datlib/check_refs.h"

#include "rpg/format/records.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;
using rpgfmt::ResType;

ResKey Key(ResType t, std::uint8_t id1, std::uint8_t id2) {
  return {static_cast<std::uint8_t>(t), id1, id2};
}

void CharacterRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  namespace sheet = rpgfmt::charsheet;
  out.push_back({k, Key(ResType::kActorSheet, 1, b[sheet::kSprite]), false, "walking sprite"});
  if (b[sheet::kChain] != 0) {
    out.push_back({k, Key(ResType::kMagicList, 1, b[sheet::kChain]), false, "magic chain"});
  }
  for (std::size_t i = 0; i < rpgfmt::equipment::kSize; ++i) {
    const std::uint8_t id = b[sheet::kEquipment + i];
    if (id != 0) {
      out.push_back(
          {k, Key(ResType::kItemRecord, rpgfmt::equipment::kKinds[i], id), false, "equipment"});
    }
  }
}

void EnemyRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  namespace enemy = rpgfmt::enemyrec;
  out.push_back({k, Key(ResType::kActorSheet, 3, b[enemy::kPicture]), false, "picture"});
  if (b[enemy::kMagicList] != 0) {
    out.push_back({k, Key(ResType::kMagicList, 1, b[enemy::kMagicList]), false, "magic list"});
  }
  if (b[enemy::kStealCount] != 0) {
    out.push_back({k, Key(ResType::kItemRecord, b[enemy::kStealKind], b[enemy::kStealId]), false,
                   "steal item"});
  }
  if (b[enemy::kDropOn] != 0) {
    out.push_back(
        {k, Key(ResType::kItemRecord, b[enemy::kDropKind], b[enemy::kDropId]), false, "drop item"});
  }
}

void ItemRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  namespace item = rpgfmt::itemrec;
  const std::uint8_t kind = b[item::kKind];
  out.push_back({k, Key(ResType::kItemPicture, kind, b[item::kPicture]), true, "picture"});
  if ((kind == item::kThrownKind || kind == item::kRestorativeKind) &&
      b[item::kEffectAnimNo] != 0) {
    out.push_back({k, Key(ResType::kAnimation, b[item::kEffectAnimGroup], b[item::kEffectAnimNo]),
                   false, "effect animation"});
  }
}

void ChainRefs(ResKey k, std::span<const std::uint8_t> b, std::vector<Reference>& out) {
  namespace chain = rpgfmt::magicchain;
  const std::size_t n = b[chain::kCount];
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = chain::kEntries + i * chain::kEntrySize;
    if (at + chain::kEntrySize > b.size()) break;
    out.push_back({k,
                   Key(ResType::kMagicRecord, b[at + chain::kEntryClass], b[at + chain::kEntryId]),
                   false, "magic"});
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
      out.push_back(
          {k, Key(ResType::kActorSheet, b[rpgfmt::actor::kPicGroup], b[rpgfmt::npcrec::kPicture]),
           false, "picture sheet"});
      break;
    case rpgfmt::RecordKind::kEnemy:
      EnemyRefs(k, b, out);
      break;
    case rpgfmt::RecordKind::kItem:
      ItemRefs(k, b, out);
      break;
    case rpgfmt::RecordKind::kMagic:
      if (b[rpgfmt::magicrec::kAnimation] != 0) {
        out.push_back({k,
                       Key(ResType::kAnimation, rpgfmt::magicrec::kAnimationGroup,
                           b[rpgfmt::magicrec::kAnimation]),
                       false, "effect animation"});
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
