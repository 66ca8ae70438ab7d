// Resource packages. The file is read whole into a pool block, every entry
// is checked against the file's size by the shared package reader, and all
// bitmaps and masks are made at once, so drawing later needs no decoding.
//
// Each open package keeps its own directory and image table, so opening a
// second package neither loses the first one's bitmaps nor mixes up their
// images.

#include "host/res.h"

#include <cstdio>
#include <memory>
#include <span>
#include <vector>

#include "format/package/package_format.h"
#include "host/host_reset.h"
#include "host/mem.h"
#include "host/res_package.h"
#include "host/run_tree.h"
#include "platform/gdi/gdi.h"
#include "platform/sys/file.h"

namespace {

// The block is this much longer than the file.
constexpr uint32_t kBlockSlack = 32;

struct Package {
  uint8_t* block = nullptr;
  std::vector<uint32_t> offsets;  // the directory, in file order
  std::vector<ImageRef> images;   // one record per directory entry
};

std::vector<std::unique_ptr<Package>> openPackages;

Package* FindPackage(const void* handle) {
  for (const auto& package : openPackages) {
    if (package->block == handle) return package.get();
  }
  return nullptr;
}

// Reads the whole file into a new pool block; null on any failure.
uint8_t* ReadIntoBlock(const char* path, uint32_t* size) {
  std::FILE* file = plat::OpenFile(path, "rb");
  if (!file) return nullptr;
  long length = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
  uint8_t* block = nullptr;
  if (length >= 0 && uint64_t(length) + kBlockSlack <= UINT32_MAX &&
      std::fseek(file, 0, SEEK_SET) == 0) {
    block = static_cast<uint8_t*>(MemAlloc(uint32_t(length) + kBlockSlack));
  }
  if (block && length > 0 && std::fread(block, std::size_t(length), 1, file) != 1) {
    MemFree(block);
    block = nullptr;
  }
  std::fclose(file);
  *size = uint32_t(length);
  return block;
}

// The image record of one directory entry. An entry whose data does not
// start with "BM" is still marked loaded, with no bitmap, which the image
// calls skip; every other fault makes the entry unusable.
ImageRef MakeImage(const pkgfmt::PackageEntry& entry, std::span<const uint8_t> file) {
  ImageRef image{};
  if (entry.kind != pkgfmt::kKindPlain && entry.kind != pkgfmt::kKindKeyed) return image;
  const bool notBmp = entry.offset + uint64_t(2) <= file.size() &&
                      !(file[entry.offset] == 'B' && file[entry.offset + 1] == 'M');
  if (!entry.usable && !notBmp) return image;
  image.flags = kImageLoaded;
  if (notBmp) return image;
  image.bitmap = BitmapFromPackedBmp(entry.bytes.data(), entry.bytes.size());
  if (!image.bitmap) return ImageRef{};
  if (entry.kind == pkgfmt::kKindKeyed) {
    image.flags |= kImageMasked;
    image.mask = MakeMask(image.bitmap, kKeyColor);
  }
  return image;
}

void DeleteImages(Package& package) {
  for (ImageRef& image : package.images) {
    if (image.bitmap) plat::DeleteObject(image.bitmap);
    if (image.mask) plat::DeleteObject(image.mask);
  }
  package.images.clear();
}

}  // namespace

void* ResOpen(const char* path) {
  if (!path || !RunTreeFileExists(path, "a resource package", "games_content")) return nullptr;
  uint32_t size = 0;
  uint8_t* block = ReadIntoBlock(path, &size);
  if (!block) return nullptr;
  const std::span<const uint8_t> file(block, size);
  const codec::Result<pkgfmt::PackageIndex> index = pkgfmt::ReadPackage(file);
  if (!index) {
    MemFree(block);
    return nullptr;
  }
  auto package = std::make_unique<Package>();
  package->block = block;
  for (const pkgfmt::PackageEntry& entry : index->entries) {
    package->offsets.push_back(entry.offset);
    package->images.push_back(MakeImage(entry, file));
  }
  openPackages.push_back(std::move(package));
  return block;
}

void* ResLoadImage(ImageRef* out, int32_t /*kind*/, uint32_t id, void* handle) {
  if (!handle) return nullptr;
  out->flags = 0;
  out->bitmap = nullptr;
  out->mask = nullptr;
  const Package* package = FindPackage(handle);
  if (!package) return nullptr;
  for (std::size_t i = 0; i < package->offsets.size(); ++i) {
    if (package->offsets[i] != id) continue;
    // The first entry with this offset counts, usable or not.
    const ImageRef& image = package->images[i];
    if (!(image.flags & kImageLoaded)) return nullptr;
    out->flags = image.flags;
    out->bitmap = image.bitmap;
    out->mask = image.mask;
    return package->block + id;
  }
  return nullptr;
}

void ResClose(void* handle) {
  for (auto it = openPackages.begin(); it != openPackages.end(); ++it) {
    if ((*it)->block != handle) continue;
    DeleteImages(**it);
    MemFree((*it)->block);
    openPackages.erase(it);
    return;
  }
}

bool IsPackageBitmap(plat::HBITMAP bitmap) {
  for (const auto& package : openPackages) {
    for (const ImageRef& image : package->images) {
      if (image.bitmap == bitmap || image.mask == bitmap) return true;
    }
  }
  return false;
}

// The packages' blocks belong to the memory pool, whose own reset frees them.
static const bool resetRegistered = RegisterHostReset([] {
  for (const auto& package : openPackages) DeleteImages(*package);
  openPackages.clear();
});
