#include "tests/rpg/support/memory_library.h"

#include <gtest/gtest.h>

#include <cstring>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"

namespace rpgtest {

Bytes PackLibrary(const std::vector<Resource>& resources, const char* title) {
  std::vector<rpgfmt::LibResource> packed;
  for (const Resource& r : resources) packed.push_back({r.key, r.bytes});
  const rpgfmt::PackResult result = rpgfmt::WriteLibrary({title, std::strlen(title)}, packed);
  EXPECT_EQ(result.error, "");
  return result.image;
}

std::size_t LocationOf(const Bytes& image, std::size_t index) {
  const std::size_t at = rpgfmt::kLibLocOffset + 3 * index;
  return image[at] * rpgfmt::kLibBlockSize + codec::LoadLe<uint16_t>(image.data() + at + 1);
}

InstalledLibrary::InstalledLibrary(Bytes image) : image_(std::move(image)) {
  ResetGameState();
  game.libImage = image_.data();
  game.libSize = uint32_t(image_.size());
}

InstalledLibrary::~InstalledLibrary() {
  game.libImage = nullptr;
  game.libSize = 0;
  ResetGameState();
}

}  // namespace rpgtest
