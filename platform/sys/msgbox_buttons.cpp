#include "platform/sys/msgbox_buttons.h"

#include <iterator>

#include "platform/sys/msgbox.h"

namespace plat {

const MessageBoxButtons& ButtonsOf(unsigned type) {
  static const MessageBoxButtons kSets[] = {
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

int DefaultButton(const MessageBoxButtons& set, unsigned type) {
  int index = int((type >> 8) & 0x3);
  return set.buttons[index < set.count ? index : 0].id;
}

int CloseButton(const MessageBoxButtons& set) {
  return HasButton(set, IDCANCEL) ? IDCANCEL : set.buttons[0].id;
}

bool HasButton(const MessageBoxButtons& set, int id) {
  for (int i = 0; i < set.count; ++i) {
    if (set.buttons[i].id == id) return true;
  }
  return false;
}

}  // namespace plat
