#pragma once
// The Desktop's application table: where each application's icon sits, its
// picture and label, and the entry function the Desktop calls.

#include <cstdint>

// An application's entry: no arguments, result unused.
using AppRowEntry = void (*)();

struct AppRow {
  int32_t x;             // left edge of the 32 x 32 icon
  int32_t y;             // top edge of the icon
  const char* iconPath;  // BMP, relative to the host program's folder
  const char* title;     // the label, GB2312
  AppRowEntry entry;     // null ends the table
};

// Rows read at most; a row with a null entry ends the table before that.
inline constexpr int kMaxAppRows = 100;

// The applications the Desktop lists, ended by a row with a null entry.
extern const AppRow AppTable[kMaxAppRows];

// Number of rows before the end row, at most kMaxAppRows.
int AppRowCount(const AppRow* table);
