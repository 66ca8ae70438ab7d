#include "host/run_tree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/sys/path.h"
#include "protocol/windows.h"

namespace {

// The absolute form of a relative path, for the note; `path` as it stands
// when the current folder is unknown.
std::string Absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char folder[4096];
  if (!getcwd(folder, sizeof folder)) return path;
  std::string absolute(folder);
  std::string rest = path;
  // "../x" from ".../build/sim/bin" reads better as ".../build/sim/x".
  while (rest.rfind("../", 0) == 0 && absolute.size() > 1) {
    absolute.erase(absolute.find_last_of('/'));
    if (absolute.empty()) absolute = "/";
    rest.erase(0, 3);
  }
  return absolute + (absolute.back() == '/' ? "" : "/") + rest;
}

}  // namespace

std::string MissingFileNote(const char* path, const char* what, const char* target) {
  return std::string("tovsim: ") + what + " is missing: looked for " +
         Absolute(plat::ToPosixProgramPath(path)) +
         "\n  build it with 'cmake --build build --target " + target +
         "' (or the whole run tree with 'cmake --build build')\n";
}

bool RunTreeFileExists(const char* path, const char* what, const char* target) {
  struct stat info {};
  if (stat(plat::ToPosixProgramPath(path).c_str(), &info) == 0) return true;
  std::fputs(MissingFileNote(path, what, target).c_str(), stderr);
  return false;
}

void CheckRunTree(bool desktop) {
  RunTreeFileExists(kLcdProgram, "the LCD viewer (left out by -DTOVSIM_VIEWER=OFF)", "Lcd");
  RunTreeFileExists(kSndProgram, "the sound player (left out by -DTOVSIM_SOUND=OFF)", "Snd");
  if (desktop) RunTreeFileExists("..\\dat.lib", "the game's data library", "velmor_datlib");
}
