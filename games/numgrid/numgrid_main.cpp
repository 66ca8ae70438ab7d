// The number grid's entry and message loop.

#include <cstring>
#include <string>

#include "games/numgrid/numgrid.h"
#include "games/numgrid/numgrid_dialog.h"
#include "games/numgrid/numgrid_layout.h"
#include "games/numgrid/numgrid_puzzles.h"
#include "games/numgrid/numgrid_view.h"
#include "host/app_registry.h"
#include "host/device_api.h"
#include "host/host_reset.h"
#include "platform/sys/msgbox.h"

using namespace numgrid;

namespace {

// Found from the host program's folder, so the run tree works wherever it is.
constexpr char kPackagePath[] = "..\\Games\\numgrid\\resource.dat";
constexpr uint32_t kTimerId = 1;
constexpr uint32_t kTimerMs = 1000;

NumGridState state = NewGameState();

void SeedFromClock() {
  DateTime now{};
  GetDateTime(&now);
  SeedRandom(now.second);
}

// The background over the whole screen, every cell empty; the palette is
// not drawn.
void ClearScreenBoard() {
  DrawBackground();
  ClearBoard(state);
  SeedFromClock();
}

void NewPuzzle() {
  ClearScreenBoard();
  DealPuzzle(state, kPuzzles[ChoosePuzzle(state.level, uint32_t(Random()))]);
  for (int row = 1; row <= kGridSize; ++row) {
    for (int column = 1; column <= kGridSize; ++column) {
      const Cell& cell = CellOf(state, {column, row});
      if (cell.digit != 0) DrawDigit({column, row}, cell.digit, true);
    }
  }
  DrawPalette();
}

void BoardClick(int x, int y) {
  const std::optional<CellPos> at = BoardCellAt(x, y);
  if (!at) return;
  switch (ClickCell(state, *at)) {
    case BoardOutcome::kPlaced:
      DrawDigit(*at, CellOf(state, *at).digit, false);
      break;
    case BoardOutcome::kRefused:
      plat::MessageBoxA(nullptr, "该处无法下子！", "提示", plat::MB_OK);
      break;
    case BoardOutcome::kErased:
      RestoreCell(*at);
      break;
    default:
      break;
  }
}

// False when the Exit button ends the game.
bool BarClick(int x, int y) {
  if (const int digit = PaletteDigitAt(x, y)) {
    SelectDigit(state, digit);
    return true;
  }
  const Button button = ButtonAt(x, y);
  PressButton(button);
  switch (button) {
    case Button::kNew:
      NewPuzzle();
      break;
    case Button::kErase:
      StartErase(state);
      break;
    case Button::kLevel:
      if (const std::optional<int> level = RunLevelDialog(state.level)) {
        state.level = uint8_t(*level);
        ClearScreenBoard();
      }
      break;
    case Button::kExit:
      return false;
    case Button::kNone:
      break;
  }
  return true;
}

// The screen back in the Desktop's mode, the timer stopped, the package
// closed: the same on every way out.
void EndGame() {
  SetScreenMode(320, 240, 32);
  StopTimer(kTimerId);
  ClosePictures();
}

bool OpenPackage() {
  // ModulePath wants room for the program's folder (up to 260 bytes) and
  // the relative path.
  std::string path(260 + std::strlen(kPackagePath) + 1, '\0');
  ModulePath(path.data(), kPackagePath);
  path.resize(std::strlen(path.c_str()));
  if (OpenPictures(path.c_str())) return true;
  const std::string text = "无法打开资源包：" + path;
  plat::MessageBoxA(nullptr, text.c_str(), "填数", plat::MB_OK);
  return false;
}

}  // namespace

void NumGridMain() {
  SetScreenMode(kScreenWidth, kScreenHeight, 32);
  state = NewGameState();
  if (!OpenPackage()) {
    EndGame();
    return;
  }
  ClearScreenBoard();
  StartTimer(kTimerId, kTimerMs);
  state.level = 1;

  Message message;
  while (GetMsg(&message)) {
    if (message.type == MsgKeyDown && message.wParam == kKeyEscape) break;
    if (message.type != MsgMouseDown) continue;
    const Point at = PointFromLParam(message.lParam);
    if (at.y < kBoardClickBottom) {
      BoardClick(at.x, at.y);
    } else if (!BarClick(at.x, at.y)) {
      break;
    }
  }
  EndGame();
}

const NumGridState& GetNumGridState() { return state; }

static const bool registered = RegisterApp("numgrid", "填数", NumGridMain);
static const bool resetRegistered = RegisterHostReset([] { state = NewGameState(); });
