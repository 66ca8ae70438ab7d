#include "rpg/format/records.h"

#include <array>

#include "rpg/format/picture.h"

namespace rpgfmt {
namespace {

constexpr ListSpec kChainList{
    "magics",           magicchain::kCount,     magicchain::kEntries, magicchain::kEntrySize,
    magicchain::kEntry, magicchain::kMaxEntries};
constexpr ListSpec kLevelList{"levels",          leveltable::kLastLevel,
                              leveltable::kRows, leveltable::kRowSize,
                              leveltable::kRow,  255};

constexpr std::array<RecordLayout, 7> kLayouts{{
    {RecordKind::kCharacterSheet, "character", ResType::kActorRecord, charsheet::kSize,
     charsheet::kFields},
    {RecordKind::kMapCharacter, "npc", ResType::kActorRecord, npcrec::kSize, npcrec::kFields},
    {RecordKind::kEnemy, "enemy", ResType::kActorRecord, enemyrec::kSize, enemyrec::kFields},
    {RecordKind::kItem, "item", ResType::kItemRecord, itemrec::kSize, itemrec::kFields},
    {RecordKind::kMagic, "magic", ResType::kMagicRecord, magicrec::kFixedSize, magicrec::kFields},
    {RecordKind::kMagicChain, "chain", ResType::kMagicList, magicchain::kEntries,
     magicchain::kFields, &kChainList},
    {RecordKind::kLevelTable, "levels", ResType::kMagicList, leveltable::kRows, leveltable::kFields,
     &kLevelList},
}};

}  // namespace

std::span<const RecordLayout> AllRecordLayouts() { return kLayouts; }

const RecordLayout* LayoutForKey(ResKey key) {
  auto pick = [](RecordKind k) { return &kLayouts[static_cast<std::size_t>(k)]; };
  switch (static_cast<ResType>(key.type)) {
    case ResType::kActorRecord:
      if (key.id1 == 1) return pick(RecordKind::kCharacterSheet);
      if (key.id1 == 2 || key.id1 == 4) return pick(RecordKind::kMapCharacter);
      if (key.id1 == 3) return pick(RecordKind::kEnemy);
      return nullptr;
    case ResType::kItemRecord:
      return pick(RecordKind::kItem);
    case ResType::kMagicRecord:
      return pick(RecordKind::kMagic);
    case ResType::kMagicList:
      if (key.id1 == 1) return pick(RecordKind::kMagicChain);
      if (key.id1 == 2) return pick(RecordKind::kLevelTable);
      return nullptr;
    default:
      return nullptr;
  }
}

const RecordLayout* LayoutByName(std::string_view name) {
  for (const RecordLayout& l : kLayouts) {
    if (name == l.name) return &l;
  }
  return nullptr;
}

std::size_t RecordSize(const RecordLayout& layout, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < layout.size) return 0;
  std::size_t size = layout.size;
  if (layout.list != nullptr) {
    const ListSpec& l = *layout.list;
    size = l.listOffset + std::size_t{bytes[l.countOffset]} * l.elementSize;
    if (size > bytes.size()) return 0;
  }
  for (const Field& f : layout.fields) {
    if (f.kind != FieldKind::kTailText) continue;
    std::size_t at = f.offset;
    while (at < bytes.size() && bytes[at] != 0) ++at;
    if (at == bytes.size()) return 0;
    size = at + 1;
  }
  return size;
}

namespace anim {

std::size_t PictureSize(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at + kPicHeaderSize > bytes.size()) return 0;
  const std::uint8_t* p = bytes.data() + at;
  // The game reads any depth but 2 as depth 1.
  const int depth = p[kPicDepthOffset] == 2 ? 2 : 1;
  const std::size_t size =
      kPicHeaderSize + PictureFrameBytes(p[kPicWidthOffset], p[kPicHeightOffset], depth);
  return at + size <= bytes.size() ? size : 0;
}

}  // namespace anim

}  // namespace rpgfmt
