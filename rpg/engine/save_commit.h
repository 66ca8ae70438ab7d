#pragma once
// Writing the save files so that a crash, a full disk or a failed open never
// costs more than the save being made. A slot is two files, its main file and
// its member file; both are built in memory first. The member file goes to
// "<member>.new", then the main file to "<main>.new", each closed and synced;
// replacing the member file is the commit point, the main file follows.
// Before any slot is read or written, RecoverSlot finishes a save that got
// past its commit point and discards one that did not. A parked member's file
// is written the same way, alone.

#include <cstdint>
#include <span>
#include <string>

// Whether the file exists (can be opened for reading), as the game asks.
bool SaveFileExists(const std::string& name);

// Writes a slot's two files; false when the save did not commit (the slot
// then holds its old files and no ".new" is left behind).
bool CommitSlotFiles(const char* mainName, std::span<const uint8_t> main, const char* memberName,
                     std::span<const uint8_t> member);
// A member ".new" means the save never committed: both ".new" go. A main
// ".new" alone means it did: it is moved into place.
void RecoverSlot(const char* mainName, const char* memberName);

// Writes one file through its ".new"; false leaves the old file as it was.
bool CommitFile(const char* name, std::span<const uint8_t> bytes);
// Discards a ".new" left by an interrupted CommitFile.
void RecoverFile(const char* name);

// For the fault tests only: `hook` is called with 0, 1, 2, ... before every
// file operation of the calls above from now on (null: no hook).
using FileStepHook = void (*)(int step);
void SetFileStepHook(FileStepHook hook);
