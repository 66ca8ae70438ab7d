#include "games/numgrid/numgrid_dialog.h"

#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_rules.h"
#include "games/numgrid/numgrid_view.h"
#include "host/device_api.h"

namespace numgrid {

namespace {

// What a Message means to the dialog: a level picked, or OK or Cancel.
struct DialogInput {
  int level = 0;
  DialogButton button = DialogButton::kNone;
};

DialogInput Interpret(const Message& message) {
  if (message.type == MsgKeyDown && message.wParam == kKeyEnter) return {0, DialogButton::kOk};
  if (message.type == MsgKeyDown && message.wParam == kKeyEscape) return {0, DialogButton::kCancel};
  if (message.type != MsgMouseDown) return {};
  const Point at = PointFromLParam(message.lParam);
  return {LevelAt(at.x, at.y), DialogButtonAt(at.x, at.y)};
}

}  // namespace

std::optional<int> RunLevelDialog(int level) {
  Canvas* saved = CanvasCreate();
  if (!saved) return std::nullopt;
  CanvasCopy(saved, nullptr);
  DrawDialog(level);

  std::optional<int> chosen;
  Message message;
  while (GetMsg(&message)) {
    const DialogInput input = Interpret(message);
    if (input.level != 0) {
      level = input.level;
      HighlightLevel(level);
    }
    if (input.button == DialogButton::kNone) continue;
    PressDialogButton(input.button);
    if (input.button == DialogButton::kOk) {
      chosen = level;
    } else {
      CanvasCopy(nullptr, saved);
    }
    break;
  }
  CanvasFree(saved);
  return chosen;
}

}  // namespace numgrid
