#pragma once
// Resource package: many BMP file images behind a small directory.
// All numbers little-endian, offsets counted from the start of the file.
//
//   offset  size        field
//        0     4        magic "RPAK" (written by respack; hosts do not read it)
//        4     4        format version, 1 (written by respack; not read)
//        8     4        count: signed number of directory entries
//       12     4        offset of the first image byte (written by respack; not read)
//       16     8*count  directory: u32 image offset (also the image's id),
//                                   u32 kind (0 plain, 1 magenta-keyed, other: unusable)
//   after the directory: the images, each a complete BMP file image ("BM" ...)
//
// The reader is shared by the tools and the host. It trusts nothing: every entry
// is checked against the file size before anything behind it is read, and a
// fault names the byte of the package where it lies (docs/errors.md).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "codec/result.h"

namespace pkgfmt {

inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::size_t kEntrySize = 8;
inline constexpr std::uint32_t kMagic = 0x4B415052;  // "RPAK" read little-endian
inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::uint32_t kKindPlain = 0;
inline constexpr std::uint32_t kKindKeyed = 1;
// Images are placed on 4-byte boundaries unless the manifest fixes an offset.
inline constexpr std::uint32_t kImageAlign = 4;

// BMP file header (14 bytes) followed by at least the 40-byte information header.
inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
inline constexpr std::size_t kBmpMinSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;

// What the BMP headers at an image's offset say, read without decoding pixels.
struct BmpSummary {
  std::uint32_t fileSize = 0;    // bytes 2..5 of the file header
  std::uint32_t pixelOffset = 0; // bytes 10..13: pixel bits from the image start
  std::int32_t width = 0;
  std::int32_t height = 0;       // negative for top-down images
  std::uint16_t bitsPerPixel = 0;
};

// Checks the BMP headers of one image in memory: "BM", a declared size that fits
// in `bytes`, an information header of at least 40 bytes, pixel bits inside the
// image. An error's offset counts from the image's first byte.
codec::Result<BmpSummary> SummarizeBmp(std::span<const std::uint8_t> bytes);

struct PackageEntry {
  std::uint32_t offset = 0;
  std::uint32_t kind = 0;
  bool usable = false;      // kind 0/1 and a well-formed BMP inside the file
  BmpSummary bmp;           // valid when usable
  codec::Error problem;     // why the entry is unusable, at its byte of the file
  // The image's bytes inside the package; empty when unusable.
  std::span<const std::uint8_t> bytes;
};

struct PackageIndex {
  std::uint32_t magic = 0;
  std::uint32_t version = 0;
  std::uint32_t dataStart = 0;
  std::vector<PackageEntry> entries;  // in directory order
};

// Reads the header and directory of a package held in `file`. Fails only when the
// header or the directory itself is unreadable (short file, negative count,
// directory past the end); entries pointing outside the file or at something
// that is not a BMP are kept and marked unusable. Spans point into `file`.
codec::Result<PackageIndex> ReadPackage(std::span<const std::uint8_t> file);

// The first usable entry whose offset equals `id`, or null. An unusable entry
// with that offset hides later ones, as the first match counts.
const PackageEntry* FindImage(const PackageIndex& index, std::uint32_t id);

// One image to place: its size, and an offset the caller insists on.
struct ImageSlot {
  std::size_t size = 0;
  std::optional<std::uint32_t> fixedOffset;
};

struct Layout {
  std::vector<std::uint32_t> offsets;  // one per slot
  std::uint32_t dataStart = 0;
  std::uint32_t fileSize = 0;
};

// Places the images after the directory in order. A fixed offset pads the file up
// to it; one that lies inside the directory or inside an earlier image fails, with
// `failedSlot` naming the slot and `error` the clash.
bool LayOutPackage(std::span<const ImageSlot> slots, Layout& out, std::size_t& failedSlot,
                   std::string& error);

struct PackImage {
  std::vector<std::uint8_t> bmp;  // a complete BMP file image
  std::uint32_t kind = kKindPlain;
};

// Writes the package bytes for images placed by LayOutPackage (same order);
// padding bytes are zero. Returns nothing when the layout does not fit the images.
std::vector<std::uint8_t> WritePackage(std::span<const PackImage> images, const Layout& layout);

}  // namespace pkgfmt
