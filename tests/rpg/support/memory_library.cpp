#include "tests/rpg/support/memory_library.h"

#include <gtest/gtest.h>

#include <cstring>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "rpg/format/picture.h"
#include "tests/support/scratch.h"

namespace rpgtest {

Bytes PackLibrary(const std::vector<Resource>& resources, const char* title) {
  std::vector<rpgfmt::LibResource> packed;
  for (const Resource& r : resources) packed.push_back({r.key, r.bytes});
  const rpgfmt::PackResult result = rpgfmt::WriteLibrary({title, std::strlen(title)}, packed);
  EXPECT_EQ(result.error, "");
  return result.image;
}

Bytes TestLibrary(const std::string& name) {
  const std::string text = testsupport::ReadFile(std::string(TOVSIM_RPG_TEST_DATA) + "/" + name + ".lib");
  EXPECT_FALSE(text.empty()) << "test library " << name;
  return Bytes(text.begin(), text.end());
}

std::size_t LocationOf(const Bytes& image, std::size_t index) {
  const std::size_t at = rpgfmt::kLibLocOffset + 3 * index;
  return image[at] * rpgfmt::kLibBlockSize + codec::LoadLe<uint16_t>(image.data() + at + 1);
}

InstalledLibrary::InstalledLibrary(Bytes image) : image_(std::move(image)) {
  game.libImage = image_.data();
  game.libSize = uint32_t(image_.size());
  game.runStatus = 0;
}

InstalledLibrary::~InstalledLibrary() {
  game.libImage = nullptr;
  game.libSize = 0;
  game.runStatus = 0;
}

Bytes PictureBytes(int width, int height, int depth, const std::vector<std::string>& rows) {
  rpgfmt::Picture pic;
  pic.width = width;
  pic.height = height;
  pic.depth = depth;
  for (std::size_t first = 0; first + height <= rows.size(); first += height) {
    std::vector<uint8_t> pixels;
    for (int r = 0; r < height; ++r) {
      EXPECT_EQ(rows[first + r].size(), std::size_t(width)) << "row " << first + r;
      for (char c : rows[first + r]) {
        pixels.push_back(c == '#' ? rpgfmt::kPixBlack
                         : c == '_' ? rpgfmt::kPixClear
                         : c == '~' ? rpgfmt::kPixClearAlt
                                    : rpgfmt::kPixWhite);
      }
    }
    pic.frames.push_back(pixels);
  }
  EXPECT_EQ(rpgfmt::CheckPicture(pic), "");
  return rpgfmt::EncodePicture(pic);
}

Bytes EffectBytes(const std::vector<EffectElement>& elements, int pictures, uint8_t first,
                  uint8_t last) {
  Bytes b = {1, 0, uint8_t(elements.size()), uint8_t(pictures), first, last};
  for (const EffectElement& e : elements) {
    b.insert(b.end(), {e.dx, e.dy, e.life, e.delay, e.picture});
  }
  for (int p = 0; p < pictures; ++p) {
    const Bytes pic = PictureBytes(4, 2, 1, {"####", "####"});
    b.insert(b.end(), pic.begin(), pic.end());
  }
  return b;
}

}  // namespace rpgtest
