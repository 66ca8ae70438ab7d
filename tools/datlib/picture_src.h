#pragma once
// Picture sources: ASCII art with a small header, or PNG.
//
//   # comment lines and blank lines are allowed between sections
//   size: 16x24                 width x height of every frame (required)
//   depth: 2                    1 (opaque) or 2 (with transparency); default 1
//   legend: #=black o=white .=clear   characters of the art; default # . _
//   head: 1 7                   header bytes 0-1; default the key's id1 id2
//   image: hero.png             frames cut from a PNG instead of art below
//   frames: 12                  with image: how many cells to take (default all)
//   frame 0                     then exactly `height` rows of `width` characters
//   ....##....
//   frame 1
//   ...
//
// Frames are numbered from 0 in order. A PNG holds black, white and magenta
// (or fully transparent) pixels only, magenta being transparent; its frames
// are the size-sized cells read left to right, top to bottom. A `.png` file
// given directly is one frame of its own size, depth 2 when it has
// transparent pixels. Other header words are handed to the caller (tile sets
// use `walk:`).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rpg/format/library.h"
#include "rpg/format/picture.h"
#include "tools/datlib/diag.h"

namespace datlib {

// A header line the picture parser does not know itself.
struct HeaderField {
  std::string name;
  std::string value;
  SourcePos pos;  // of the value
};

struct PictureSource {
  rpgfmt::Picture picture;
  bool headGiven = false;  // false: the caller fills picture.head
  std::vector<HeaderField> extra;
};

// Parses picture source text; `file` names it in diagnostics and anchors a
// relative `image:`. Nothing when there were errors.
std::optional<PictureSource> ParsePictureText(std::string_view text, const std::string& file,
                                              Diagnostics& diag);

// Reads a `.png` file as one frame, or any other file as picture text.
std::optional<PictureSource> LoadPictureSource(const std::string& path, Diagnostics& diag);

// Checks that a picture suits the resource it becomes: tile-set rules for
// type 7, twelve walking frames for actor sheets of id1 1, 2 and 4, and the
// size of one library block. (Twelve frames that fit a block are always small
// enough for the game's 1940-byte sprite clipping buffer.)
bool CheckPictureUse(const rpgfmt::Picture& pic, rpgfmt::ResKey key, const SourcePos& at,
                     Diagnostics& diag);

// Loads, checks and encodes the picture source for `key`: types 8, 9, 11, and
// 5 for the one-frame pictures inside an animation (tile sets, type 7, go
// through tileset_src.h). Extra header words are errors here.
std::optional<std::vector<std::uint8_t>> CompilePictureFile(const std::string& path,
                                                            rpgfmt::ResKey key,
                                                            Diagnostics& diag);

struct PictureTextOptions {
  std::array<std::uint8_t, 2> defaultHead{};  // `head:` is written only when it differs
  std::string comment;                        // written as leading `#` lines
  std::string extraHeader;                    // written verbatim after the header
};

// Writes picture text that parses back to the same picture.
std::string WritePictureText(const rpgfmt::Picture& pic, const PictureTextOptions& options);

// Library bytes → picture text for `key`; warns (at `origin`) when padding
// bits are set, since they are not kept. Nothing when the bytes are no picture.
std::optional<std::string> PictureBytesToText(std::span<const std::uint8_t> bytes,
                                              rpgfmt::ResKey key, const SourcePos& origin,
                                              Diagnostics& diag);

}  // namespace datlib
