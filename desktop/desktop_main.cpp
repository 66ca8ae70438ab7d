// The Desktop's message loop and its state.

#include "desktop/desktop.h"
#include "desktop/desktop_state.h"
#include "host/app_registry.h"
#include "host/device_api.h"
#include "host/host_reset.h"
#include "host/msg.h"

namespace {

const AppRow* table = AppTable;
DesktopState state{0, 0, 0};
bool launchPending = false;

// Up and Down step through the rows, Left and Right jump by four: icons are
// laid out in columns of four.
void MoveSelection(uint32_t key) {
  int& selected = state.selected;
  switch (key) {
    case kKeyLeft:
      if (selected - 4 >= 0) selected -= 4;
      break;
    case kKeyUp:
      if (selected - 1 >= 0) selected -= 1;
      break;
    case kKeyRight:
      if (selected + 4 < state.appCount) selected += 4;
      break;
    case kKeyDown:
      if (selected + 1 < state.appCount) selected += 1;
      break;
    default:
      break;
  }
}

void Launch() {
  launchPending = false;
  // An empty table has nothing to launch.
  if (state.selected >= state.appCount) return;
  PrepareLaunch();
  table[state.selected].entry();
  state.appCount = DrawDesktop();
  HighlightLabel(state.selected);
}

// The signed x and y packed into a mouse Message's lParam.
int PointX(uint32_t lParam) { return int16_t(lParam & 0xFFFF); }
int PointY(uint32_t lParam) { return int16_t(lParam >> 16); }

// False when the Desktop is to end.
bool HandleKeyDown(uint32_t key) {
  if (key == kKeyEscape) return false;
  if (key == kKeyEnter) launchPending = true;
  MoveSelection(key);
  HighlightLabel(state.selected);
  if (launchPending) Launch();
  return true;
}

void HandleMouseDown(uint32_t lParam) {
  const int hit = HitTestIcon(PointX(lParam), PointY(lParam));
  if (hit >= 0 && hit != state.selected) {
    state.selected = hit;
    HighlightLabel(state.selected);
  }
}

void HandleDoubleClick(uint32_t lParam) {
  if (HitTestIcon(PointX(lParam), PointY(lParam)) == state.selected) Launch();
}

}  // namespace

namespace desktop_state {

const AppRow* Table() { return table; }
DesktopState& Get() { return state; }

}  // namespace desktop_state

void UseAppTable(const AppRow* rows) { table = rows ? rows : AppTable; }

DesktopState GetDesktopState() { return state; }

void DesktopMain() {
  state.appCount = DrawDesktop();
  HighlightLabel(0);
  state.selected = 0;
  launchPending = false;

  Message message;
  // A failed wait would hand back no Message at all; ending beats spinning.
  while (GetMsg(&message)) {
    switch (message.type) {
      case MsgKeyDown:
        if (!HandleKeyDown(message.wParam)) return;
        break;
      case MsgMouseDown:
        HandleMouseDown(message.lParam);
        break;
      case MsgMouseDouble:
        HandleDoubleClick(message.lParam);
        break;
      default:
        break;
    }
  }
}

static const bool registered = RegisterApp(kDefaultAppName, "桌面", DesktopMain);
static const bool resetRegistered = RegisterHostReset([] {
  table = AppTable;
  state = DesktopState{0, 0, 0};
  launchPending = false;
});
