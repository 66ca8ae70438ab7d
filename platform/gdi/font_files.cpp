#include "platform/gdi/font_files.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace plat {
namespace {

struct FaceFileInfo {
  const char* path;    // relative to the font directory
  const char* family;  // family name of the face inside the collection
  const char* package;
};

constexpr FaceFileInfo kFaceFiles[kFaceFileCount] = {
    {"arphic/uming.ttc", "AR PL UMing CN", "fonts-arphic-uming"},
    {"arphic/ukai.ttc", "AR PL UKai CN", "fonts-arphic-ukai"},
    {"wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei", "fonts-wqy-zenhei"},
    {"wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei Mono", "fonts-wqy-zenhei"},
    {"wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei Sharp", "fonts-wqy-zenhei"},
};

constexpr const char* kSystemFontDir = "/usr/share/fonts/truetype";

struct FontFiles {
  std::mutex mutex;
  FT_Library library = nullptr;
  FT_Face faces[kFaceFileCount] = {};
  std::string directory;
  std::string lastError;
  unsigned generation = 0;

  ~FontFiles() { Unload(); }

  void Unload() {
    for (FT_Face& face : faces) {
      if (face) FT_Done_Face(face);
      face = nullptr;
    }
    if (library) FT_Done_FreeType(library);
    library = nullptr;
  }
};

FontFiles& State() {
  static FontFiles state;
  return state;
}

// Opens the face of `info.family` inside the collection at `path`. Faces in a
// collection are tried in order; the first whose family matches is kept.
FT_Face OpenFamily(FT_Library library, const std::string& path, const char* family) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), -1, &face) != 0) return nullptr;
  const FT_Long count = face->num_faces;
  FT_Done_Face(face);
  for (FT_Long index = 0; index < count; ++index) {
    if (FT_New_Face(library, path.c_str(), index, &face) != 0) continue;
    if (face->family_name && std::strcmp(face->family_name, family) == 0) return face;
    FT_Done_Face(face);
  }
  return nullptr;
}

std::string LoadFailure(const FaceFileInfo& info, const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    return "font file " + path + " is missing; install the Debian package " + info.package;
  }
  return "font file " + path + " has no usable face \"" + info.family +
         "\"; reinstall the Debian package " + info.package;
}

}  // namespace

std::unique_lock<std::mutex> LockFonts() { return std::unique_lock(State().mutex); }

void SetFontDirectory(const std::string& dir) {
  FontFiles& state = State();
  std::lock_guard lock(state.mutex);
  state.Unload();
  state.directory = dir;
  state.lastError.clear();
  ++state.generation;
}

std::string FontDirectory() {
  FontFiles& state = State();
  std::lock_guard lock(state.mutex);
  return state.directory.empty() ? kSystemFontDir : state.directory;
}

unsigned FontGeneration() { return State().generation; }

std::string LastFontError() {
  FontFiles& state = State();
  std::lock_guard lock(state.mutex);
  return state.lastError;
}

FT_Face AcquireFace(FaceFile file, std::string* error) {
  FontFiles& state = State();
  const auto slot = static_cast<int>(file);
  if (state.faces[slot]) return state.faces[slot];
  if (!state.library && FT_Init_FreeType(&state.library) != 0) {
    state.library = nullptr;
    state.lastError = "FreeType could not be initialised";
    if (error) *error = state.lastError;
    return nullptr;
  }
  const FaceFileInfo& info = kFaceFiles[slot];
  if (state.directory.empty()) state.directory = kSystemFontDir;
  const std::string path = state.directory + "/" + info.path;
  state.faces[slot] = OpenFamily(state.library, path, info.family);
  if (!state.faces[slot]) {
    const std::string message = LoadFailure(info, path);
    // Report each distinct failure once; callers retry on every font creation.
    if (message != state.lastError) std::fprintf(stderr, "tovsim: %s\n", message.c_str());
    state.lastError = message;
    if (error) *error = message;
    return nullptr;
  }
  state.lastError.clear();
  return state.faces[slot];
}

}  // namespace plat
