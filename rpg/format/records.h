#pragma once
// Record layouts of the data library: which field table each key's record
// uses. The tables and the offsets taken from them are in actor_records.h,
// item_records.h and animation_record.h; the game reads fields through those
// offsets, datlib turns the same tables into named YAML fields and back.
//
// Bytes 0 and 1 of most records repeat the key's id1 and id2; those fields
// default to the key.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "rpg/format/actor_records.h"
#include "rpg/format/animation_record.h"
#include "rpg/format/fields.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"

namespace rpgfmt {

// A run of equal elements whose count is stored in the record.
struct ListSpec {
  const char* name;           // YAML key of the list
  std::uint16_t countOffset;  // u8 count (a counted field of the record)
  std::uint16_t listOffset;   // first element
  std::uint16_t elementSize;
  std::span<const Field> element;  // offsets relative to the element
  std::uint16_t maxCount;
};

enum class RecordKind : std::uint8_t {
  kCharacterSheet,
  kMapCharacter,
  kEnemy,
  kItem,
  kMagic,
  kMagicChain,
  kLevelTable,
};

struct RecordLayout {
  RecordKind kind;
  const char* name;  // the word used for it in sources ("character", "item", ...)
  ResType type;
  std::uint16_t size;  // fixed part; a list or tail text follows it
  std::span<const Field> fields;
  const ListSpec* list = nullptr;
};

// Which layout a key's record uses; nullptr when the key's type holds no
// record or its id1 names no known record kind.
const RecordLayout* LayoutForKey(ResKey key);
const RecordLayout* LayoutByName(std::string_view name);
std::span<const RecordLayout> AllRecordLayouts();

// Size of a record given its bytes (fixed part, list and tail text), or 0
// when the bytes are too short or the list/text runs past them.
std::size_t RecordSize(const RecordLayout& layout, std::span<const std::uint8_t> bytes);

}  // namespace rpgfmt
