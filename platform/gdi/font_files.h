// The font files behind the three Chinese faces, loaded through FreeType once
// per process and shared by every font object.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

typedef struct FT_FaceRec_* FT_Face;

namespace plat {

// One face inside one of the installed font collections.
enum class FaceFile : std::uint8_t {
  kUMing,        // AR PL UMing CN: Song style, bitmap strikes 11-16 px
  kUKai,         // AR PL UKai CN: Kai style, outlines only
  kZenHei,       // WenQuanYi Zen Hei: Hei style outlines
  kZenHeiMono,   // its monospaced sibling: half-width Latin letters
  kZenHeiSharp,  // its bitmap sibling: strikes 12-16 px
};
inline constexpr int kFaceFileCount = 5;

// Directory that holds arphic/ and wqy/. Defaults to the system font tree;
// SetFontDirectory overrides it (a program's main hands on TOVSIM_FONT_DIR).
// Changing it drops every loaded face and cached glyph; an empty dir restores
// the default.
void SetFontDirectory(const std::string& dir);
std::string FontDirectory();

// Serialises every use of FreeType and of the glyph cache.
std::unique_lock<std::mutex> LockFonts();

// Counts changes of the font directory, so caches built on the old faces can
// tell that they are stale. Font lock held.
unsigned FontGeneration();

// Returns the loaded face, or null with `error` naming the missing file and
// the Debian package that provides it. Call with the font lock held.
FT_Face AcquireFace(FaceFile file, std::string* error);

// The message of the most recent failure to load a face ("" after success).
std::string LastFontError();

}  // namespace plat
