#include "host/file_chooser.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "host/canvas.h"
#include "host/msg.h"
#include "host/text.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr int16_t kLineHeight = 16;
constexpr int16_t kBarRight = 319;
// Room for a chosen path in the folder walk: several levels of names.
constexpr std::size_t kTreePathSize = 1024;

bool IsMoveKey(uint32_t key) {
  return key == kKeyUp || key == kKeyDown || key == kKeyPageUp || key == kKeyPageDown;
}

void ShowNoMatches() {
  CanvasClear(nullptr);
  DrawText(0, 0, "No such files, or error path!", nullptr);
}

// The key-down's virtual-key code, or 0 for every other Message and when
// waiting failed.
uint32_t NextKeyDown() {
  Message message;
  if (!GetMsg(&message)) return kKeyEscape;
  return message.type == MsgKeyDown ? message.wParam : 0;
}

// Takes keys until Enter (true) or Escape/F2 (false), moving the selection
// and redrawing when there is a list.
bool RunChooser(const FileEntry* list, int32_t count, FileListPosition* position) {
  for (;;) {
    uint32_t key = NextKeyDown();
    if (key == kKeyEnter) return true;
    if (key == kKeyEscape || key == kKeyF2) return false;
    if (!list || !IsMoveKey(key)) continue;
    MoveFileSelection(position, key, count);
    FileListDraw(list, position->selected, position->top, count);
  }
}

bool IsFolder(const char* path) {
  uint32_t attributes = plat::GetFileAttributesA(path);
  return attributes != plat::INVALID_FILE_ATTRIBUTES &&
         (attributes & plat::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void FileChooser(const char* dir, const char* extension, char* out) {
  std::string pattern = std::string(dir) + "*." + extension;
  int32_t count = 0;
  FileEntry* list = MakeFileList(pattern.c_str(), &count);
  if (!list && count > 0) {
    plat::MessageBoxA(nullptr, "Not enough memory!", nullptr, plat::MB_OK);
    return;
  }
  FileListPosition position{1, 0};
  if (list) {
    CanvasClear(nullptr);
    FileListDraw(list, position.selected, position.top, count);
  } else {
    ShowNoMatches();
  }
  bool chosen = RunChooser(list, count, &position);
  if (chosen && out && list) {
    std::strcpy(out, dir);
    std::strcat(out, list[position.selected]);
  }
  std::free(list);
}

void FileListDraw(const FileEntry* list, int32_t selected, int32_t top, int32_t count) {
  Canvas* canvas = CanvasCreate();
  if (!canvas) return;
  CanvasClear(canvas);
  for (int32_t i = top; i <= count + 1; ++i) {
    int32_t y = (i - top) * kLineHeight;
    if (y >= canvas->height) break;
    DrawText(0, int16_t(y), list[i], canvas);
  }
  int32_t barTop = (selected - top) * kLineHeight;
  InvertRect(0, int16_t(barTop), kBarRight, int16_t(barTop + kLineHeight), canvas);
  CanvasCopy(nullptr, canvas);
  CanvasFree(canvas);
}

int FileChooserTree(const char* start, char* out) {
  char path[kTreePathSize] = {};
  FileChooser(start, "*", path);
  // Each chosen folder is opened in turn until a file is chosen or the user
  // backs out (which leaves the result empty).
  while (path[0] && IsFolder(path) && std::strlen(path) + 1 + kFileEntrySize < sizeof path) {
    std::strcat(path, "\\");
    char result[kTreePathSize] = {};
    FileChooser(path, "*", result);
    std::strcpy(path, result);
  }
  std::size_t length = strnlen(path, kFileEntrySize - 1);
  std::memcpy(out, path, length);
  out[length] = '\0';
  return 0;
}
