#pragma once
// Names of the saved game's files, one function for every reader and
// writer: "..\Save\" + the library title + one character + an extension.
// The title is taken up to its first zero byte, at most 8 bytes, and a byte
// that could leave the folder or confuse a file system ("/", "\", below 32)
// becomes "_".

#include <cstdint>
#include <string>
#include <string_view>

namespace rpgfmt::save {

enum class SaveFileKind : std::uint8_t {
  kMain,    // n = slot 0 ... 2: title + "0", "2" or "4" + ".sav"
  kMember,  // n = slot 0 ... 2: title + "1", "3" or "5" + ".sav"
  kParked,  // n = character id 1 ... 25: title + byte 148 + id + ".savt"
};

inline constexpr int kSaveSlots = 3;
inline constexpr std::size_t kTitleBytes = 8;

// The file's name (GB2312 bytes, backslashes as the device writes them), or
// an empty string when n is out of range for the kind.
std::string SaveFileName(std::string_view libTitle, SaveFileKind kind, int n);

// True when every byte of the title up to its first zero (at most 8) may
// stand in a file name unchanged; datlib refuses other titles.
bool TitleIsFileSafe(std::string_view libTitle);

}  // namespace rpgfmt::save
