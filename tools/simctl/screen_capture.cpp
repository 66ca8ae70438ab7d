#include "tools/simctl/screen_capture.h"

#include <cstdint>
#include <cstring>

#include "platform/sys/shm.h"

namespace simctl {

namespace {

// "共享内存" in GB2312, written out so this file needs no exec charset.
constexpr char kScreenBlockName[] = "\xB9\xB2\xCF\xED\xC4\xDA\xB4\xE6";

}  // namespace

bool CaptureScreen(int width, int height, plat::Image* out, std::string* error) {
  if (width < 1 || height < 1 || width > 4096 || height > 4096) {
    *error = "the screen size " + std::to_string(width) + "x" + std::to_string(height) +
             " is out of range";
    return false;
  }
  plat::FileMapping* mapping = plat::OpenFileMappingA(kScreenBlockName);
  if (!mapping) {
    *error = "the shared screen block does not exist";
    return false;
  }
  const void* view = plat::MapViewOfFile(mapping);
  const std::size_t needed = std::size_t(width) * std::size_t(height) * 4;
  bool ok = false;
  if (!view) {
    *error = "the shared screen block cannot be mapped";
  } else if (plat::ViewSize(view) < needed) {
    *error = "the shared screen block holds " + std::to_string(plat::ViewSize(view)) +
             " bytes, fewer than a " + std::to_string(width) + "x" + std::to_string(height) +
             " screen needs";
  } else {
    out->width = width;
    out->height = height;
    out->pixels.resize(std::size_t(width) * std::size_t(height));
    std::memcpy(out->pixels.data(), view, needed);
    for (std::uint32_t& pixel : out->pixels) pixel &= 0x00FFFFFF;
    ok = true;
  }
  if (view) plat::UnmapViewOfFile(view);
  plat::CloseFileMapping(mapping);
  return ok;
}

}  // namespace simctl
