#include "host/file_list.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/msg.h"
#include "platform/sys/dir.h"

namespace {

// The block holds two entries more than the names, and some slack.
constexpr std::size_t kListSlack = 552;

int32_t CountMatches(const char* pattern) {
  plat::WIN32_FIND_DATAA found;
  plat::FindSearch* search = plat::FindFirstFileA(pattern, &found);
  if (!search) return 0;
  int32_t count = 1;
  while (plat::FindNextFileA(search, &found)) ++count;
  plat::FindClose(search);
  return count;
}

void SetEntry(FileEntry& entry, const char* text) {
  std::size_t length = strnlen(text, kFileEntrySize - 1);
  std::memcpy(entry, text, length);
  entry[length] = '\0';
}

// Fills entries 1 on from a second search; the folder may have changed since
// the count, so no more than `capacity` names are taken. Returns how many.
int32_t FillNames(const char* pattern, FileEntry* list, int32_t capacity) {
  plat::WIN32_FIND_DATAA found;
  plat::FindSearch* search = plat::FindFirstFileA(pattern, &found);
  int32_t filled = 0;
  for (bool more = search != nullptr; more && filled < capacity;
       more = plat::FindNextFileA(search, &found)) {
    SetEntry(list[++filled], found.cFileName);
  }
  plat::FindClose(search);
  return filled;
}

// The page shows entries top to top + 14; on the last name, "[END]" below it
// must show too.
void KeepOnPage(FileListPosition* p, int32_t count) {
  p->selected = std::clamp(p->selected, 1, std::max(count, 1));
  int32_t lastRow = p->selected == count ? kFilePageLines - 2 : kFilePageLines - 1;
  p->top = std::clamp(p->top, std::max(0, p->selected - lastRow), p->selected);
}

void MoveUp(FileListPosition* p) {
  if (p->selected == 1) {
    p->top = 0;
    return;
  }
  --p->selected;
  if (p->selected < p->top) --p->top;
}

void MoveDown(FileListPosition* p, int32_t count) {
  if (p->selected < count) {
    ++p->selected;
    if (p->selected - p->top > kFilePageLines - 1) ++p->top;
  }
  if (p->selected == count && count > kFilePageLines - 2 &&
      p->selected - p->top > kFilePageLines - 2) {
    ++p->top;
  }
}

void PageDown(FileListPosition* p, int32_t count) {
  if (p->selected + kFilePageLines <= count) {
    p->top += kFilePageLines;
    p->selected = p->top;
  } else {
    p->selected = count;
  }
}

void PageUp(FileListPosition* p) {
  if (p->selected - kFilePageLines >= 1) {
    // Near the start the page cannot move a whole page up; the selection
    // still does.
    p->top -= kFilePageLines;
    p->selected = p->top >= 1 ? p->top : p->selected - kFilePageLines;
    p->top = std::max(0, p->top);
  } else {
    p->selected = 1;
    p->top = 0;
  }
}

}  // namespace

FileEntry* MakeFileList(const char* pattern, int32_t* count) {
  *count = CountMatches(pattern);
  if (*count == 0) return nullptr;
  std::size_t bytes = std::size_t(*count) * kFileEntrySize + kListSlack;
  auto* list = static_cast<FileEntry*>(std::malloc(bytes));
  if (!list) return nullptr;
  SetEntry(list[0], "[START]");
  *count = FillNames(pattern, list, *count);
  if (*count == 0) {
    std::free(list);
    return nullptr;
  }
  SetEntry(list[*count + 1], "[END]");
  return list;
}

void MoveFileSelection(FileListPosition* position, uint32_t key, int32_t count) {
  if (count < 1) return;
  switch (key) {
    case kKeyUp:
      MoveUp(position);
      break;
    case kKeyDown:
      MoveDown(position, count);
      break;
    case kKeyPageDown:
      PageDown(position, count);
      break;
    case kKeyPageUp:
      PageUp(position);
      break;
    default:
      return;
  }
  KeepOnPage(position, count);
}
