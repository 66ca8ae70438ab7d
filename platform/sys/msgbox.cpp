#include "platform/sys/msgbox.h"

#include <SDL.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/sys/gb2312.h"

namespace plat {
namespace {

constexpr char kDefaultCaption[] = "Error";

// -1: decide from the environment; 0 or 1: forced.
std::atomic<int> headlessOverride{-1};

std::mutex recordMutex;
std::vector<RecordedMessageBox> recorded;

struct Button {
  int id;
  const char* label;
};

struct ButtonSet {
  Button buttons[3];
  int count;
};

const ButtonSet& ButtonsOf(unsigned type) {
  static const ButtonSet kSets[] = {
      {{{IDOK, "OK"}}, 1},
      {{{IDOK, "OK"}, {IDCANCEL, "Cancel"}}, 2},
      {{{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}}, 3},
      {{{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}}, 3},
      {{{IDYES, "Yes"}, {IDNO, "No"}}, 2},
      {{{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}}, 2},
  };
  unsigned index = type & 0xF;
  return kSets[index < std::size(kSets) ? index : 0];
}

int DefaultButton(const ButtonSet& set, unsigned type) {
  int index = int((type >> 8) & 0x3);
  return set.buttons[index < set.count ? index : 0].id;
}

// The button that closing the box stands for.
int CloseButton(const ButtonSet& set) {
  for (int i = 0; i < set.count; ++i) {
    if (set.buttons[i].id == IDCANCEL) return IDCANCEL;
  }
  return set.buttons[0].id;
}

Uint32 IconFlags(unsigned type) {
  switch (type & 0xF0) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    case MB_ICONQUESTION: case MB_ICONINFORMATION: return SDL_MESSAGEBOX_INFORMATION;
    default: return 0;
  }
}

bool EnvSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

void PrintHeadless(const std::string& caption, const std::string& text) {
  std::string line = Gb2312ToUtf8(caption) + ": " + Gb2312ToUtf8(text) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

// Shows the box; false when no box could be shown.
bool ShowModal(const std::string& caption, const std::string& text, unsigned type, int* pressed) {
  const ButtonSet& set = ButtonsOf(type);
  int defaultId = DefaultButton(set, type);
  int closeId = CloseButton(set);
  SDL_MessageBoxButtonData buttons[3] = {};
  for (int i = 0; i < set.count; ++i) {
    Uint32 flags = 0;
    if (set.buttons[i].id == defaultId) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (set.buttons[i].id == closeId) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    buttons[i] = {flags, set.buttons[i].id, set.buttons[i].label};
  }
  std::string utf8Caption = Gb2312ToUtf8(caption);
  std::string utf8Text = Gb2312ToUtf8(text);
  SDL_MessageBoxData data{};
  data.flags = IconFlags(type);
  data.title = utf8Caption.c_str();
  data.message = utf8Text.c_str();
  data.numbuttons = set.count;
  data.buttons = buttons;
  int id = -1;
  if (SDL_ShowMessageBox(&data, &id) != 0) return false;
  *pressed = id < 0 ? closeId : id;
  return true;
}

}  // namespace

void SetHeadless(bool headless) { headlessOverride.store(headless ? 1 : 0); }

bool IsHeadless() {
  int forced = headlessOverride.load();
  if (forced >= 0) return forced == 1;
  const char* env = std::getenv("TOVSIM_HEADLESS");
  if (env && std::strcmp(env, "1") == 0) return true;
  return !EnvSet("DISPLAY") && !EnvSet("WAYLAND_DISPLAY");
}

int MessageBoxA(void* /*owner*/, const char* text, const char* caption, unsigned type) {
  std::string body = text ? text : "";
  std::string title = caption ? caption : kDefaultCaption;
  {
    std::lock_guard<std::mutex> lock(recordMutex);
    recorded.push_back({body, title, type});
  }
  int pressed = 0;
  if (!IsHeadless() && ShowModal(title, body, type, &pressed)) return pressed;
  // Headless, or no box could be shown: the text must not be lost.
  PrintHeadless(title, body);
  const ButtonSet& set = ButtonsOf(type);
  return DefaultButton(set, type);
}

std::vector<RecordedMessageBox> RecordedMessageBoxes() {
  std::lock_guard<std::mutex> lock(recordMutex);
  return recorded;
}

void ClearRecordedMessageBoxes() {
  std::lock_guard<std::mutex> lock(recordMutex);
  recorded.clear();
}

}  // namespace plat
