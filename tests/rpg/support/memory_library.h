#pragma once
// Data libraries made in memory for the game's tests: resources packed by
// the format library's writer, then edited byte by byte where a test wants a
// damaged library, and handed to the game as its loaded image.

#include <cstdint>
#include <string>
#include <vector>

#include "rpg/format/library.h"

namespace rpgtest {

using Bytes = std::vector<uint8_t>;

struct Resource {
  rpgfmt::ResKey key;
  Bytes bytes;
};

// The packed image of `resources` (the test fails when they cannot be packed).
Bytes PackLibrary(const std::vector<Resource>& resources, const char* title = "TEST");

// The test library built from tests/rpg/engine/data/<name>/.
Bytes TestLibrary(const std::string& name);

// Where the resource of directory entry `index` lies in a packed image.
std::size_t LocationOf(const Bytes& image, std::size_t index);

// Makes `image` the game's library (game.libImage, game.libSize) for the
// scope, with runStatus 0; the library is taken away again when it ends.
class InstalledLibrary {
 public:
  explicit InstalledLibrary(Bytes image);
  ~InstalledLibrary();
  InstalledLibrary(const InstalledLibrary&) = delete;
  InstalledLibrary& operator=(const InstalledLibrary&) = delete;

  Bytes& image() { return image_; }

 private:
  Bytes image_;
};

// A picture in the game's format from ASCII art, one string per row and
// frames one after another (height rows each): '#' black, '.' white, '_' and
// '~' the two transparent values (depth 2 only).
Bytes PictureBytes(int width, int height, int depth, const std::vector<std::string>& rows);

// An effect animation (type 5) of the elements given, with `pictures`
// pictures of 4 x 2 black pixels (depth 1), playing `first` ... `last`.
struct EffectElement {
  uint8_t dx, dy, life, delay, picture;
};
Bytes EffectBytes(const std::vector<EffectElement>& elements, int pictures, uint8_t first,
                  uint8_t last);

}  // namespace rpgtest
