#pragma once
// The game's data library: one file holding every resource, addressed in place.
//
// Byte layout (multi-byte numbers little-endian):
//   0      3 bytes   magic "LIB"
//   3      8 bytes   title of the data set (stem of save-file names)
//   11     1 byte    unused, written 0
//   12     u16       size of the key directory in bytes (3 per entry)
//   14     2 bytes   unused, written 0
//   16     3 bytes/entry  key directory: (type, id1, id2), sorted ascending
//   8192   3 bytes/entry  location table, parallel: block (u8), offset (u16)
//   16384 * n        block n: a 3-byte tag naming the one type it holds, then
//                    that type's resources back to back, then zeros to the
//                    block's end (the last block too). A resource's offset
//                    counts from the block's first byte, so the first one of a
//                    block sits at offset 3. Block 0 is the header page itself.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/result.h"

namespace rpgfmt {

inline constexpr std::size_t kLibMagicSize = 3;
inline constexpr std::size_t kLibTitleOffset = 3;
inline constexpr std::size_t kLibTitleSize = 8;
inline constexpr std::size_t kLibDirSizeOffset = 12;
inline constexpr std::size_t kLibDirOffset = 16;
inline constexpr std::size_t kLibLocOffset = 8192;
inline constexpr std::size_t kLibEntrySize = 3;
inline constexpr std::size_t kLibBlockSize = 16384;
inline constexpr std::size_t kLibTagSize = 3;
// The directory must end before the location table starts.
inline constexpr std::size_t kLibMaxKeys = (kLibLocOffset - kLibDirOffset) / kLibEntrySize;  // 2725
// Block numbers are one byte and block 0 is the header page.
inline constexpr std::size_t kLibMaxBlocks = 255;
// The largest resource that fits in a block after its tag.
inline constexpr std::size_t kLibMaxResourceSize = kLibBlockSize - kLibTagSize;

enum class ResType : std::uint8_t {
  kScript = 1,
  kMap = 2,
  kActorRecord = 3,
  kMagicRecord = 4,
  kAnimation = 5,
  kItemRecord = 6,
  kTileSet = 7,
  kActorSheet = 8,
  kItemPicture = 9,
  kUnreadGgj = 10,
  kPicture = 11,
  kMagicList = 12,
};
inline constexpr int kResTypeCount = 12;

struct ResTypeInfo {
  ResType type;
  const char* tag;   // 3 letters, the first bytes of every block of this type
  const char* name;  // the word used in project files and listings
};

// All twelve types in type order; nullptr for a number that is no type.
const ResTypeInfo* FindResType(std::uint8_t type);
const ResTypeInfo* FindResTypeByName(std::string_view name);
std::span<const ResTypeInfo> AllResTypes();

struct ResKey {
  std::uint8_t type = 0;
  std::uint8_t id1 = 0;
  std::uint8_t id2 = 0;
  auto operator<=>(const ResKey&) const = default;
};

struct LibEntry {
  ResKey key;
  std::uint8_t block = 0;
  std::uint16_t offset = 0;
  // Bytes up to the next resource of the block or the end of its used part:
  // the library stores no sizes, so this is the most the resource can span.
  std::size_t extent = 0;
};

// A checked view of a library image; the bytes stay owned by the caller.
struct LibraryView {
  std::span<const std::uint8_t> image;
  std::array<char, kLibTitleSize> title{};
  std::vector<LibEntry> entries;  // directory order

  std::span<const std::uint8_t> Bytes(const LibEntry& e) const {
    return image.subspan(std::size_t{e.block} * kLibBlockSize + e.offset, e.extent);
  }
  const LibEntry* Find(ResKey key) const;
};

// A problem found in a library image, at its byte offset.
using LibProblem = codec::Error;

// Checks the header, the directory size against the file, each location
// against the file, the block's tag against the key's type and the order of
// the directory; returns the view, or nothing with the problems found.
std::optional<LibraryView> ReadLibrary(std::span<const std::uint8_t> image,
                                       std::vector<LibProblem>& problems);

struct LibResource {
  ResKey key;
  std::span<const std::uint8_t> bytes;
};

// One block of a packed library: which resources it holds, in order.
struct PackedBlock {
  ResType type;
  std::vector<std::size_t> members;  // indexes into the input
};

struct PackResult {
  std::vector<std::uint8_t> image;
  std::vector<PackedBlock> blocks;  // blocks[i] is block i + 1
  std::string error;                // empty on success
  std::size_t errorIndex = 0;       // input index the error names, if any
};

// Lays the resources out: sorted by key, packed type by type into blocks
// that each start with the type's tag, a new block whenever the next resource
// would not fit; a resource never straddles blocks. Fails on a duplicate key,
// an unknown type, an empty resource or one too large for a block, too many
// keys or blocks.
PackResult WriteLibrary(std::span<const char> title, std::span<const LibResource> resources);

}  // namespace rpgfmt
