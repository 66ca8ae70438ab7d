#pragma once
// Windows-style paths for the C library: the programs keep their paths as
// written ("..\Save\slot1.sav", "..\Lcd\Lcd.exe") and turn them into POSIX
// paths here. File names are bytes (GB2312) and pass through unchanged.

#include <string>
#include <string_view>

namespace plat {

// Backslashes become slashes; every other byte is kept. A two-byte GB2312
// character never contains 0x5C, so no character is split. With a save
// folder set, the run tree's save folder as the programs name it from bin/
// ("..\Save" and what is in it, "Save" in any case) is that folder instead.
std::string ToPosixPath(std::string_view windowsPath);

// Where "..\Save\" goes: an absolute folder, for an installed run tree
// that cannot be written; empty (the default) for the run tree's own. Set
// it before any thread starts.
void SetSaveFolder(std::string folder);

// Drops a trailing ".exe" (any case) from the last path component, for
// program paths: "..\Lcd\Lcd.exe" names the program "../Lcd/Lcd".
std::string StripExeSuffix(std::string_view path);

// Both of the above: the POSIX path of a Windows program path.
std::string ToPosixProgramPath(std::string_view windowsPath);

// Splits "dir\name" or "dir/name" at the last separator: the folder part
// (without the separator; "." when there is none, "/" for the root) and
// the last component.
struct SplitPathResult {
  std::string folder;
  std::string name;
};
SplitPathResult SplitLastComponent(std::string_view posixPath);

}  // namespace plat
