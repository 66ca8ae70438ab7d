// The falling-blocks game's entry and message loop.

#include "games/blocks/blocks.h"
#include "games/blocks/blocks_view.h"
#include "host/app_registry.h"
#include "host/device_api.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr char kPackagePath[] = "..\\Games\\blocks\\E1_els.dat";
constexpr uint32_t kTimerId = 1;
constexpr uint32_t kTimerMs = 100;

blocks::BlocksState state;

int32_t DeviceRandom() { return Random(); }

void ReportMissingPackage(const char* path) {
  char text[64 + sizeof kPackagePath + 260];
  StrCpy(text, "无法打开资源包:\n");
  StrCat(text, path);
  plat::MessageBoxA(nullptr, text, "落块", plat::MB_OK);
}

// Shows the end of a game and takes one Message; false when that Message
// asks to leave (Escape leaves from any state) or none can be taken.
bool ShowEndScreen(blocks::View& view) {
  StopTimer(kTimerId);
  view.EndScreen(blocks::EndGame(state));
  StartTimer(kTimerId, kTimerMs);
  Message message;
  if (!GetMsg(&message)) return false;
  return !(message.type == MsgKeyDown && message.wParam == kKeyEscape);
}

void RunLoop(blocks::View& view) {
  const blocks::RandomSource random = DeviceRandom;
  Message message;
  while (GetMsg(&message)) {
    if (message.type == MsgKeyDown) {
      if (message.wParam == kKeyEscape) return;
      blocks::PressKey(state, message.wParam);
    } else if (message.type == MsgTimer) {
      blocks::Tick(state);
    }
    const blocks::StepResult result = blocks::Step(state, view, random);
    state.action = blocks::Action::kNone;
    if (result == blocks::StepResult::kGameOver && !ShowEndScreen(view)) return;
  }
}

// Every way out leaves the host as the game found it: landscape screen, no
// timer, no canvas, no package.
void Leave(blocks::View& view) {
  SetScreenMode(320, 240, 32);
  view.Close();
  StopTimer(kTimerId);
}

}  // namespace

int BlocksMain() {
  SetScreenMode(240, 320, 32);
  FillRectColor(0, 0, 239, 319, 0xFFFFFF, nullptr);
  state = blocks::BlocksState{};
  blocks::View view;
  char path[260 + sizeof kPackagePath];
  ModulePath(path, kPackagePath);
  if (!view.Open(path)) {
    ReportMissingPackage(path);
    Leave(view);
    return 1;
  }
  DateTime now;
  GetDateTime(&now);
  SeedRandom(now.second);
  StartTimer(kTimerId, kTimerMs);
  RunLoop(view);
  Leave(view);
  return 1;
}

const blocks::BlocksState& GetBlocksState() { return state; }

static const bool registered = RegisterApp("blocks", "落块", [] { BlocksMain(); });
