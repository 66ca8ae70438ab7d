#pragma once
// Record layouts of the data library, each written down once as a field
// table. The engine reads fields through the table's offsets; datlib turns
// the same table into named YAML fields and back.
//
// A field name with a dot ("stats.maxHp") belongs to a group; the YAML form
// nests it ("stats: {maxHp: ...}"). Bytes 0 and 1 of most records repeat
// the key's id1 and id2; those fields default to the key.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "rpg/format/library.h"

namespace rpgfmt {

enum class FieldKind : std::uint8_t {
  kU8,
  kU16,
  kText,      // `size` bytes of GB2312, zero-terminated, zero-padded
  kBytes,     // `size` bytes shown as a list of numbers
  kTailText,  // zero-terminated GB2312 text ending the record (variable size)
};

enum class FieldDefault : std::uint8_t { kZero, kKeyId1, kKeyId2 };

struct Field {
  const char* name;
  std::uint16_t offset;
  FieldKind kind;
  std::uint16_t size;  // bytes; 1 or 2 for numbers
  FieldDefault fallback = FieldDefault::kZero;
  // Bytes nothing reads, and the key's repeat: sources may leave them out
  // and dumps show them only when they differ from their default.
  bool quiet = false;
};

// A run of equal elements whose count is stored in the record.
struct ListSpec {
  const char* name;             // YAML key of the list
  std::uint16_t countOffset;    // u8 count
  std::uint16_t listOffset;     // first element
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

// Offsets of the fields other code refers to by meaning.
namespace charsheet {
inline constexpr std::size_t kSprite = 22, kChain = 23, kSize = 58;
}
namespace npcrec {
inline constexpr std::size_t kPicGroup = 0, kPicture = 22, kSize = 23;
}
namespace enemyrec {
inline constexpr std::size_t kPicture = 46, kMagicList = 47, kSize = 48;
}
namespace itemrec {
inline constexpr std::size_t kKind = 0, kPicture = 5, kEffect = 22, kFlag = 132, kSize = 134;
}
namespace magicrec {
inline constexpr std::size_t kAnimation = 5, kFixedSize = 26;
}

// Effect animation (type 5): a header, N elements and P pictures.
//   0  2 bytes  key bytes (id1, id2)
//   2  u8       N elements      3  u8  P pictures
//   4  u8       first element   5  u8  last element played (inclusive)
//   6  5 × N    elements: dx, dy, life, delay, picture index
//   6 + 5N      P pictures, each a 6-byte picture header and one frame
namespace anim {
inline constexpr std::size_t kHeaderSize = 6, kElementSize = 5;
std::span<const Field> ElementFields();
std::span<const Field> HeaderFields();
// Bytes of the picture starting at `at`, or 0 when it runs past the data.
std::size_t PictureSize(std::span<const std::uint8_t> bytes, std::size_t at);
}  // namespace anim

}  // namespace rpgfmt
