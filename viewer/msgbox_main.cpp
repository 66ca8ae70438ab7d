// msgbox: shows one message box on the display. The platform's MessageBoxA
// runs it (Lcd/msgbox in the run tree) so that no other program needs SDL:
//
//   msgbox TYPE CAPTION TEXT
//
// TYPE is MessageBoxA's type (buttons, icon, default button); CAPTION and
// TEXT are UTF-8. The exit status is the id of the button pressed (closing
// the box counts as its cancel button, else its first); 0 when no box could
// be shown, 64 for a bad command line.

#include <SDL.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/sys/main_guard.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/msgbox_buttons.h"
#include "platform/sys/version.h"

namespace {

constexpr int kNotShown = 0;
constexpr int kExitUsage = 64;

constexpr char kUsage[] =
    "Usage: msgbox TYPE CAPTION TEXT | --help | --version\n"
    "Shows a message box with the buttons and icon of TYPE (a MessageBoxA type)\n"
    "and exits with the id of the button pressed; 0 when no box could be shown.\n";

Uint32 IconFlags(unsigned type) {
  switch (type & 0xF0) {
    case plat::MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case plat::MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    case plat::MB_ICONQUESTION: case plat::MB_ICONINFORMATION: return SDL_MESSAGEBOX_INFORMATION;
    default: return 0;
  }
}

int Show(unsigned type, const char* caption, const char* text) {
  const plat::MessageBoxButtons& set = plat::ButtonsOf(type);
  const int defaultId = plat::DefaultButton(set, type);
  const int closeId = plat::CloseButton(set);
  SDL_MessageBoxButtonData buttons[3] = {};
  for (int i = 0; i < set.count; ++i) {
    Uint32 flags = 0;
    if (set.buttons[i].id == defaultId) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (set.buttons[i].id == closeId) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    buttons[i] = {flags, set.buttons[i].id, set.buttons[i].label};
  }
  SDL_MessageBoxData data{};
  data.flags = IconFlags(type);
  data.title = caption;
  data.message = text;
  data.numbuttons = set.count;
  data.buttons = buttons;
  int id = -1;
  if (SDL_ShowMessageBox(&data, &id) != 0) {
    std::fprintf(stderr, "msgbox: %s\n", SDL_GetError());
    return kNotShown;
  }
  return id < 0 ? closeId : id;
}

int Run(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return kNotShown;
  }
  unsigned type = 0;
  const std::string_view typeText = argc == 4 ? argv[1] : "";
  auto [end, error] = std::from_chars(typeText.data(), typeText.data() + typeText.size(), type);
  if (typeText.empty() || error != std::errc() || end != typeText.data() + typeText.size()) {
    std::fprintf(stderr, "msgbox: bad command line\n%s", kUsage);
    return kExitUsage;
  }
  return Show(type, argv[2], argv[3]);
}

}  // namespace

// A box that could not be shown answers 0, never a button's id.
int main(int argc, char** argv) {
  if (plat::AnswerVersion(argc, argv, "msgbox")) return 0;
  return plat::RunMain("msgbox", [&] { return Run(argc, argv); }, kNotShown);
}
