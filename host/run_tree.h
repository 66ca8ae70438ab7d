#pragma once
// What the host needs from its run tree (the companion programs, the data
// files), and a note on stderr naming what is missing, where it was looked
// for and how to build it, so that a half-built tree explains itself.

#include <string>

// The note for one missing file: `path` as the program names it (Windows
// style or POSIX, relative to the current folder), what it is for people,
// and the build target that makes it.
std::string MissingFileNote(const char* path, const char* what, const char* target);

// False, after writing MissingFileNote on stderr, when `path` does not exist.
bool RunTreeFileExists(const char* path, const char* what, const char* target);

// The save folder of a run tree that cannot be written (an installed one):
// $XDG_DATA_HOME/tovsim/Save (an absolute XDG_DATA_HOME), else
// ~/.local/share/tovsim/Save; empty when the tree is writable or neither
// variable gives a folder.
std::string SaveFolderFor(bool treeWritable, const std::string& dataHome, const std::string& home);

// With the current folder at the run tree's bin/: makes the tree's Save/
// when the tree can be written; otherwise makes the save folder above and
// sends "..\Save\" there (plat::SetSaveFolder). Says on stderr when it
// cannot.
void UseWritableSaveFolder(const std::string& dataHome, const std::string& home);

// Checks the companion programs, and the game's data library when the
// Desktop runs; notes what is missing. The current folder is the run tree's
// bin/.
void CheckRunTree(bool desktop);
