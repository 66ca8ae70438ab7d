#pragma once
// A full-screen file chooser driven by the keys: Up and Down move by one
// name, Page Up and Page Down by a page, Enter chooses, Escape and F2 leave.

#include <cstdint>

#include "host/file_list.h"

// Lists the names in `dir` (ending with a backslash) that end in "." +
// `extension` ("*": every name) and, on Enter, writes `dir` followed by the
// chosen name into `out`. Escape, F2 and an Enter without a list leave `out`
// untouched.
void FileChooser(const char* dir, const char* extension, char* out);

// Draws the page of `list` that starts at entry `top`, with entry `selected`
// inverted, on the screen.
void FileListDraw(const FileEntry* list, int32_t selected, int32_t top, int32_t count);

// Lets the user descend through folders from `start` (ending with a
// backslash) until a file is chosen, and writes its path into `out` (at
// least 260 bytes); an empty string when the user backed out. Returns 0.
int FileChooserTree(const char* start, char* out);
