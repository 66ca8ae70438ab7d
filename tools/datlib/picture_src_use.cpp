// Checks of a picture against the resource it becomes, and compiling a
// picture source file to library bytes.
#include "tools/datlib/picture_src.h"

#include "rpg/format/tileset.h"

namespace datlib {
namespace {

// Frames of a walking sheet: three steps for each of four facings.
constexpr std::size_t kWalkFrames = 12;

bool IsWalkingSheet(rpgfmt::ResKey key) {
  return key.type == static_cast<std::uint8_t>(rpgfmt::ResType::kActorSheet) &&
         (key.id1 == 1 || key.id1 == 2 || key.id1 == 4);
}

// Animations hold pictures of one frame each. Tile sets carry walkability
// besides their picture: see tileset_src.h.
bool IsPictureType(std::uint8_t type) {
  using rpgfmt::ResType;
  return type == static_cast<std::uint8_t>(ResType::kAnimation) ||
         type == static_cast<std::uint8_t>(ResType::kActorSheet) ||
         type == static_cast<std::uint8_t>(ResType::kItemPicture) ||
         type == static_cast<std::uint8_t>(ResType::kPicture);
}

}  // namespace

bool CheckPictureUse(const rpgfmt::Picture& pic, rpgfmt::ResKey key, const SourcePos& at,
                     Diagnostics& diag) {
  std::string problem = key.type == static_cast<std::uint8_t>(rpgfmt::ResType::kTileSet)
                            ? rpgfmt::CheckTileSet(pic)
                            : rpgfmt::CheckPicture(pic);
  if (problem.empty() && rpgfmt::PictureBytes(pic) > rpgfmt::kLibMaxResourceSize) {
    problem = "picture takes " + std::to_string(rpgfmt::PictureBytes(pic)) +
              " bytes; a library block holds at most " +
              std::to_string(rpgfmt::kLibMaxResourceSize);
  }
  if (problem.empty() && IsWalkingSheet(key) && pic.frames.size() < kWalkFrames) {
    problem = "a walking sheet needs 12 frames (3 steps facing up, right, down, left), not " +
              std::to_string(pic.frames.size());
  }
  if (problem.empty()) return true;
  diag.Error(at, problem);
  return false;
}

std::optional<std::vector<std::uint8_t>> CompilePictureFile(const std::string& path,
                                                            rpgfmt::ResKey key,
                                                            Diagnostics& diag) {
  if (!IsPictureType(key.type)) {
    diag.Error({path, 0, 0}, "resource type " + std::to_string(key.type) + " is no picture");
    return std::nullopt;
  }
  std::optional<PictureSource> src = LoadPictureSource(path, diag);
  if (!src) return std::nullopt;
  bool ok = true;
  for (const HeaderField& f : src->extra) {
    diag.Error(f.pos, "unknown header word \"" + f.name + ":\"");
    ok = false;
  }
  if (!src->headGiven) src->picture.head = {key.id1, key.id2};
  if (!ok || !CheckPictureUse(src->picture, key, {path, 0, 0}, diag)) return std::nullopt;
  return rpgfmt::EncodePicture(src->picture);
}

}  // namespace datlib
