#pragma once
// The file chooser's list and its movement: a C-heap array of 260-byte
// entries ("[START]", the names found, "[END]") and the selection rules of
// the arrow and page keys.

#include <cstdint>

inline constexpr int kFileEntrySize = 260;
using FileEntry = char[kFileEntrySize];

// Entries one page shows: 240 pixels of 16-pixel lines.
inline constexpr int32_t kFilePageLines = 15;

// Counts the names that match `pattern` (a Windows-style search pattern) and
// makes the list. Returns the list (free it with std::free) and sets *count;
// null with *count 0 when nothing matches, and null with *count above 0 when
// memory ran out.
FileEntry* MakeFileList(const char* pattern, int32_t* count);

// Where the chooser stands: entry `selected` (1 to count) is marked, and the
// page starts at entry `top`.
struct FileListPosition {
  int32_t selected;
  int32_t top;
};

// Applies an Up, Down, Page Up or Page Down key (other keys change nothing)
// to a list of `count` names. The selection stays on a name and on the page.
void MoveFileSelection(FileListPosition* position, uint32_t key, int32_t count);
