#include "tools/datlib/record_src.h"

#include "rpg/format/records.h"
#include "tools/datlib/animation_src.h"
#include "tools/datlib/field_yaml.h"

namespace datlib {
namespace {

using rpgfmt::ListSpec;
using rpgfmt::RecordLayout;

std::vector<std::string> ExtraKeys(const RecordLayout& layout) {
  std::vector<std::string> keys = kEntryKeys;
  if (layout.list != nullptr) keys.push_back(layout.list->name);
  return keys;
}

void EncodeList(const YAML::Node& map, const ListSpec& list, rpgfmt::ResKey key,
                const std::string& file, Diagnostics& diag, std::vector<std::uint8_t>& out) {
  const YAML::Node items = map[list.name];
  if (!items.IsDefined()) return;
  if (!IsSequence(items)) {
    diag.Error(PosOf(file, items), std::string("\"") + list.name + "\" must be a list");
    return;
  }
  if (items.size() > list.maxCount) {
    diag.Error(PosOf(file, items), std::string("\"") + list.name + "\" holds " +
                                       std::to_string(items.size()) + " entries; at most " +
                                       std::to_string(list.maxCount));
    return;
  }
  out[list.countOffset] = static_cast<std::uint8_t>(items.size());
  out.resize(list.listOffset + items.size() * list.elementSize, 0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    // A short entry may be written as a plain list of its numbers.
    if (IsSequence(items[i]) && items[i].size() == list.element.size()) {
      for (std::size_t f = 0; f < list.element.size(); ++f) {
        YAML::Node one;
        one[std::string(list.element[f].name)] = items[i][f];
        EncodeFields(one, list.element.subspan(f, 1), key, {}, file, diag, out,
                     list.listOffset + i * list.elementSize);
      }
      continue;
    }
    EncodeFields(items[i], list.element, key, {}, file, diag, out,
                 list.listOffset + i * list.elementSize);
  }
}

YAML::Node DecodeList(std::span<const std::uint8_t> bytes, const ListSpec& list,
                      rpgfmt::ResKey key) {
  YAML::Node items(YAML::NodeType::Sequence);
  const std::size_t count = bytes[list.countOffset];
  for (std::size_t i = 0; i < count; ++i) {
    YAML::Node entry;
    DecodeFields(bytes, list.listOffset + i * list.elementSize, list.element, key, entry);
    entry.SetStyle(YAML::EmitterStyle::Flow);
    items.push_back(entry);
  }
  return items;
}

}  // namespace

bool IsRecordKey(rpgfmt::ResKey key) {
  return key.type == static_cast<std::uint8_t>(rpgfmt::ResType::kAnimation) ||
         rpgfmt::LayoutForKey(key) != nullptr;
}

std::optional<std::vector<std::uint8_t>> CompileRecord(const YAML::Node& node,
                                                       rpgfmt::ResKey key,
                                                       const std::string& file,
                                                       const std::string& dir,
                                                       Diagnostics& diag) {
  if (key.type == static_cast<std::uint8_t>(rpgfmt::ResType::kAnimation)) {
    return CompileAnimation(node, key, file, dir, diag);
  }
  const RecordLayout* layout = rpgfmt::LayoutForKey(key);
  if (layout == nullptr) {
    diag.Error(PosOf(file, node), "no record layout for key (" + std::to_string(key.type) + ", " +
                                      std::to_string(key.id1) + ", " + std::to_string(key.id2) +
                                      ")");
    return std::nullopt;
  }
  const std::size_t before = diag.ErrorCount();
  std::vector<std::uint8_t> out(layout->size, 0);
  const std::vector<std::string> extra = ExtraKeys(*layout);
  EncodeFields(node, layout->fields, key, extra, file, diag, out);
  if (layout->list != nullptr && IsMap(node)) EncodeList(node, *layout->list, key, file, diag, out);
  if (diag.ErrorCount() != before) return std::nullopt;
  return out;
}

std::optional<DecodedRecord> DecodeRecord(std::span<const std::uint8_t> bytes, rpgfmt::ResKey key,
                                          const SourcePos& origin, Diagnostics& diag) {
  if (key.type == static_cast<std::uint8_t>(rpgfmt::ResType::kAnimation)) {
    return DecodeAnimation(bytes, key, origin, diag);
  }
  const RecordLayout* layout = rpgfmt::LayoutForKey(key);
  if (layout == nullptr) return std::nullopt;
  const std::size_t size = rpgfmt::RecordSize(*layout, bytes);
  if (size == 0) return std::nullopt;
  DecodedRecord rec;
  rec.size = size;
  const auto mine = bytes.first(size);
  DecodeFields(mine, 0, layout->fields, key, rec.fields);
  if (layout->list != nullptr) rec.fields[layout->list->name] = DecodeList(mine, *layout->list, key);
  return rec;
}

}  // namespace datlib
