#include "format/package/package_format.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "codec/bytes.h"

namespace pkgfmt {
namespace {

// Header fields, from the start of the file.
constexpr std::size_t kCountField = 8;
// BMP header fields, from the start of an image.
constexpr std::size_t kBmpSizeField = 2;
constexpr std::size_t kBmpPixelOffsetField = 10;
constexpr std::size_t kBmpInfoSizeField = 14;

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return codec::LoadLe<std::uint32_t>(&b[at]);
}

std::uint64_t AlignUp(std::uint64_t v, std::uint64_t align) { return (v + align - 1) / align * align; }

// Whether the image a directory entry names can be used; otherwise why not,
// at the byte of the file where the fault lies.
void CheckEntry(std::span<const std::uint8_t> file, std::size_t entryAt, PackageEntry& e) {
  if (e.kind != kKindPlain && e.kind != kKindKeyed) {
    e.problem = codec::ErrorAt(entryAt + 4, "kind " + std::to_string(e.kind) +
                                                " is neither plain (0) nor keyed (1)");
    return;
  }
  if (e.offset >= file.size()) {
    e.problem = codec::ErrorAt(entryAt, "offset lies past the end of the file (" +
                                            std::to_string(file.size()) + " bytes)");
    return;
  }
  codec::Result<BmpSummary> summary = SummarizeBmp(file.subspan(e.offset));
  if (!summary) {
    e.problem = summary.error();
    if (e.problem.offset) *e.problem.offset += e.offset;
    return;
  }
  e.usable = true;
  e.bmp = *summary;
  e.bytes = file.subspan(e.offset, summary->fileSize);
}

}  // namespace

codec::Result<BmpSummary> SummarizeBmp(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kBmpMinSize) {
    return codec::ErrorAt(0, "image runs past the end of the file (BMP headers need " +
                                 std::to_string(kBmpMinSize) + " bytes, " +
                                 std::to_string(bytes.size()) + " left)");
  }
  if (bytes[0] != 'B' || bytes[1] != 'M') return codec::ErrorAt(0, "data does not start with \"BM\"");
  BmpSummary s;
  s.fileSize = U32(bytes, kBmpSizeField);
  s.pixelOffset = U32(bytes, kBmpPixelOffsetField);
  const std::uint32_t infoSize = U32(bytes, kBmpInfoSizeField);
  if (s.fileSize < kBmpMinSize || s.fileSize > bytes.size()) {
    return codec::ErrorAt(kBmpSizeField, "declared BMP size " + std::to_string(s.fileSize) +
                                             " does not fit (" + std::to_string(bytes.size()) +
                                             " bytes left in the file)");
  }
  if (infoSize < kBmpInfoHeaderSize || infoSize > s.fileSize - kBmpFileHeaderSize) {
    return codec::ErrorAt(kBmpInfoSizeField,
                          "information header size " + std::to_string(infoSize) + " is not valid");
  }
  if (s.pixelOffset < kBmpFileHeaderSize + infoSize || s.pixelOffset > s.fileSize) {
    return codec::ErrorAt(kBmpPixelOffsetField, "pixel bits offset " + std::to_string(s.pixelOffset) +
                                                    " lies outside the image");
  }
  s.width = codec::LoadLe<std::int32_t>(&bytes[18]);
  s.height = codec::LoadLe<std::int32_t>(&bytes[22]);
  s.bitsPerPixel = codec::LoadLe<std::uint16_t>(&bytes[28]);
  return s;
}

codec::Result<PackageIndex> ReadPackage(std::span<const std::uint8_t> file) {
  if (file.size() < kHeaderSize) {
    return codec::ErrorAt(0, "file is " + std::to_string(file.size()) + " bytes, shorter than the " +
                                 std::to_string(kHeaderSize) + "-byte package header");
  }
  PackageIndex out;
  out.magic = U32(file, 0);
  out.version = U32(file, 4);
  const auto count = codec::LoadLe<std::int32_t>(&file[kCountField]);
  out.dataStart = U32(file, 12);
  if (count < 0) {
    return codec::ErrorAt(kCountField, "directory count " + std::to_string(count) + " is negative");
  }
  // Compare against the room left, never multiply past it: count can be absurd.
  if (std::uint64_t(count) > (file.size() - kHeaderSize) / kEntrySize) {
    return codec::ErrorAt(kCountField, "directory of " + std::to_string(count) +
                                           " entries runs past the end of the file (" +
                                           std::to_string(file.size()) + " bytes)");
  }
  out.entries.resize(std::size_t(count));
  for (std::size_t i = 0; i < out.entries.size(); ++i) {
    PackageEntry& e = out.entries[i];
    const std::size_t at = kHeaderSize + i * kEntrySize;
    e.offset = U32(file, at);
    e.kind = U32(file, at + 4);
    CheckEntry(file, at, e);
  }
  return out;
}

const PackageEntry* FindImage(const PackageIndex& index, std::uint32_t id) {
  for (const PackageEntry& e : index.entries) {
    if (e.offset == id) return e.usable ? &e : nullptr;
  }
  return nullptr;
}

bool LayOutPackage(std::span<const ImageSlot> slots, Layout& out, std::size_t& failedSlot,
                   std::string& error) {
  out = Layout{};
  constexpr std::uint64_t kMaxFile = std::numeric_limits<std::uint32_t>::max();
  if (slots.size() > std::size_t(std::numeric_limits<std::int32_t>::max())) {
    failedSlot = 0;
    error = "too many images for one package";
    return false;
  }
  const std::uint64_t directoryEnd = kHeaderSize + kEntrySize * std::uint64_t(slots.size());
  std::uint64_t end = AlignUp(directoryEnd, kImageAlign);
  out.dataStart = std::uint32_t(std::min(end, kMaxFile));
  std::uint64_t previousStart = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    std::uint64_t at = AlignUp(end, kImageAlign);
    if (slots[i].fixedOffset) {
      at = *slots[i].fixedOffset;
      if (at < directoryEnd) {
        failedSlot = i;
        error = "offset " + std::to_string(at) + " lies inside the package directory, which ends at " +
                std::to_string(directoryEnd);
        return false;
      }
      if (at < end) {
        failedSlot = i;
        error = "offset " + std::to_string(at) + " overlaps the previous image (at " +
                std::to_string(previousStart) + ", ending at " + std::to_string(end) + ")";
        return false;
      }
    }
    if (i == 0) out.dataStart = std::uint32_t(std::min(at, kMaxFile));
    if (at + slots[i].size > kMaxFile) {
      failedSlot = i;
      error = "package would grow past 4 GiB, beyond what 32-bit offsets reach";
      return false;
    }
    out.offsets.push_back(std::uint32_t(at));
    previousStart = at;
    end = at + slots[i].size;
  }
  out.fileSize = std::uint32_t(std::max(end, directoryEnd));
  return true;
}

std::vector<std::uint8_t> WritePackage(std::span<const PackImage> images, const Layout& layout) {
  if (layout.offsets.size() != images.size()) return {};
  for (std::size_t i = 0; i < images.size(); ++i) {
    if (std::uint64_t(layout.offsets[i]) + images[i].bmp.size() > layout.fileSize) return {};
  }
  std::vector<std::uint8_t> out(layout.fileSize, 0);
  codec::StoreLe(&out[0], kMagic);
  codec::StoreLe(&out[4], kVersion);
  codec::StoreLe(&out[kCountField], std::uint32_t(images.size()));
  codec::StoreLe(&out[12], layout.dataStart);
  for (std::size_t i = 0; i < images.size(); ++i) {
    codec::StoreLe(&out[kHeaderSize + i * kEntrySize], layout.offsets[i]);
    codec::StoreLe(&out[kHeaderSize + i * kEntrySize + 4], images[i].kind);
    std::copy(images[i].bmp.begin(), images[i].bmp.end(), out.begin() + layout.offsets[i]);
  }
  return out;
}

}  // namespace pkgfmt
