#include "format/package/package_format.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace respack {
namespace {

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint16_t(b[at] | b[at + 1] << 8);
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = std::uint8_t(v >> (8 * i));
}

std::uint64_t AlignUp(std::uint64_t v, std::uint64_t align) { return (v + align - 1) / align * align; }

void CheckEntry(std::span<const std::uint8_t> file, PackageEntry& e) {
  if (e.kind != kKindPlain && e.kind != kKindKeyed) {
    e.problem = "kind " + std::to_string(e.kind) + " is neither plain (0) nor keyed (1)";
    return;
  }
  if (e.offset >= file.size()) {
    e.problem = "offset lies past the end of the file (" + std::to_string(file.size()) + " bytes)";
    return;
  }
  std::string problem;
  auto summary = SummarizeBmp(file.subspan(e.offset), problem);
  if (!summary) {
    e.problem = problem;
    return;
  }
  e.usable = true;
  e.bmp = *summary;
  e.bytes = file.subspan(e.offset, summary->fileSize);
}

}  // namespace

std::optional<BmpSummary> SummarizeBmp(std::span<const std::uint8_t> bytes, std::string& problem) {
  if (bytes.size() < kBmpMinSize) {
    problem = "image runs past the end of the file (BMP headers need " +
              std::to_string(kBmpMinSize) + " bytes, " + std::to_string(bytes.size()) + " left)";
    return std::nullopt;
  }
  if (bytes[0] != 'B' || bytes[1] != 'M') {
    problem = "data does not start with \"BM\"";
    return std::nullopt;
  }
  BmpSummary s;
  s.fileSize = ReadU32(bytes, 2);
  s.pixelOffset = ReadU32(bytes, 10);
  const std::uint32_t infoSize = ReadU32(bytes, 14);
  if (s.fileSize < kBmpMinSize || s.fileSize > bytes.size()) {
    problem = "declared BMP size " + std::to_string(s.fileSize) + " does not fit (" +
              std::to_string(bytes.size()) + " bytes left in the file)";
    return std::nullopt;
  }
  if (infoSize < kBmpInfoHeaderSize || infoSize > s.fileSize - kBmpFileHeaderSize) {
    problem = "information header size " + std::to_string(infoSize) + " is not valid";
    return std::nullopt;
  }
  if (s.pixelOffset < kBmpFileHeaderSize + infoSize || s.pixelOffset > s.fileSize) {
    problem = "pixel bits offset " + std::to_string(s.pixelOffset) + " lies outside the image";
    return std::nullopt;
  }
  s.width = std::int32_t(ReadU32(bytes, 18));
  s.height = std::int32_t(ReadU32(bytes, 22));
  s.bitsPerPixel = ReadU16(bytes, 28);
  return s;
}

bool ReadPackage(std::span<const std::uint8_t> file, PackageIndex& out, std::string& error) {
  out = PackageIndex{};
  if (file.size() < kHeaderSize) {
    error = "file is " + std::to_string(file.size()) + " bytes, shorter than the " +
            std::to_string(kHeaderSize) + "-byte package header";
    return false;
  }
  out.magic = ReadU32(file, 0);
  out.version = ReadU32(file, 4);
  const auto count = std::int32_t(ReadU32(file, 8));
  out.dataStart = ReadU32(file, 12);
  if (count < 0) {
    error = "directory count " + std::to_string(count) + " is negative";
    return false;
  }
  // Compare against the room left, never multiply past it: count can be absurd.
  if (std::uint64_t(count) > (file.size() - kHeaderSize) / kEntrySize) {
    error = "directory of " + std::to_string(count) + " entries runs past the end of the file (" +
            std::to_string(file.size()) + " bytes)";
    return false;
  }
  out.entries.resize(std::size_t(count));
  for (std::size_t i = 0; i < out.entries.size(); ++i) {
    PackageEntry& e = out.entries[i];
    e.offset = ReadU32(file, kHeaderSize + i * kEntrySize);
    e.kind = ReadU32(file, kHeaderSize + i * kEntrySize + 4);
    CheckEntry(file, e);
  }
  return true;
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
  PutU32(out, 0, kMagic);
  PutU32(out, 4, kVersion);
  PutU32(out, 8, std::uint32_t(images.size()));
  PutU32(out, 12, layout.dataStart);
  for (std::size_t i = 0; i < images.size(); ++i) {
    PutU32(out, kHeaderSize + i * kEntrySize, layout.offsets[i]);
    PutU32(out, kHeaderSize + i * kEntrySize + 4, images[i].kind);
    std::copy(images[i].bmp.begin(), images[i].bmp.end(), out.begin() + layout.offsets[i]);
  }
  return out;
}

}  // namespace respack
