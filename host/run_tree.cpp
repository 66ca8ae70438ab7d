#include "host/run_tree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

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

std::string SaveFolderFor(bool treeWritable, const std::string& dataHome, const std::string& home) {
  if (treeWritable) return {};
  if (!dataHome.empty() && dataHome[0] == '/') return dataHome + "/tovsim/Save";
  if (!home.empty()) return home + "/.local/share/tovsim/Save";
  return {};
}

void UseWritableSaveFolder(const std::string& dataHome, const std::string& home) {
  const bool treeWritable = access("..", W_OK) == 0;
  const std::string folder = treeWritable ? "../Save" : SaveFolderFor(false, dataHome, home);
  if (folder.empty()) return;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "tovsim: cannot make the save folder %s: %s\n", folder.c_str(),
                 error.message().c_str());
    return;
  }
  if (!treeWritable) plat::SetSaveFolder(folder);
}

void CheckRunTree(bool desktop) {
  RunTreeFileExists(kLcdProgram, "the LCD viewer (left out by -DTOVSIM_VIEWER=OFF)", "Lcd");
  RunTreeFileExists(kSndProgram, "the sound player (left out by -DTOVSIM_SOUND=OFF)", "Snd");
  if (desktop) RunTreeFileExists("..\\dat.lib", "the game's data library", "velmor_datlib");
}
