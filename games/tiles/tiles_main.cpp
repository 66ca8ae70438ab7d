// The game's entry and message loop, and its state.

#include <string>

#include "games/tiles/tiles.h"
#include "games/tiles/tiles_package.h"
#include "games/tiles/tiles_view.h"
#include "host/app_registry.h"
#include "host/device_api.h"
#include "host/host_reset.h"
#include "platform/sys/msgbox.h"

namespace {

using namespace tiles;

constexpr uint32_t kTimerId = 1;
constexpr uint32_t kTimerMs = 1000;

TilesState state;

int PointX(uint32_t lParam) { return int16_t(lParam & 0xFFFF); }
int PointY(uint32_t lParam) { return int16_t(lParam >> 16); }

void ShowMissingPackage(const char* path) {
  const std::string text = std::string("无法打开图片包 ") + path;
  plat::MessageBoxA(nullptr, text.c_str(), nullptr, plat::MB_OK);
}

void DealBoard(const TilesPictures& pictures, Canvas* work) {
  DateTime now{};
  GetDateTime(&now);
  SeedRandom(now.second);
  Deal(state, Random);
  DrawDeal(state, pictures, work);
}

// False when the player leaves.
bool HandleMouseDown(uint32_t lParam, const TilesPictures& pictures) {
  const int x = PointX(lParam);
  const int y = PointY(lParam);
  if (y < kBoardTop) return !CloseButtonAt(x, y);
  Cell cell;
  if (CellAt(x, y, &cell)) DrawClick(BoardClick(state, cell), pictures);
  return true;
}

void Play(const TilesPictures& pictures, Canvas* work) {
  NewGame(state);
  DealBoard(pictures, work);
  StartTimer(kTimerId, kTimerMs);
  Message message;
  // A failed wait hands back no Message at all; leaving beats spinning.
  while (GetMsg(&message)) {
    if (message.type == MsgKeyDown && message.wParam == kKeyEscape) return;
    if (message.type == MsgMouseDown && !HandleMouseDown(message.lParam, pictures)) return;
  }
}

}  // namespace

void TilesMain() {
  SetScreenMode(kScreenWidth, kScreenHeight, 32);
  // Without a canvas the deal is drawn straight on the screen.
  Canvas* work = CanvasCreate();
  char path[260 + sizeof kPackagePath];
  ModulePath(path, kPackagePath);
  void* package = ResOpen(path);
  TilesPictures pictures{};
  if (package && LoadPictures(package, &pictures)) {
    Play(pictures, work);
  } else {
    ShowMissingPackage(path);
  }
  SetScreenMode(320, 240, 32);
  StopTimer(kTimerId);
  ResClose(package);
  CanvasFree(work);
}

tiles::TilesState GetTilesState() { return state; }

static const bool registered = RegisterApp("tiles", "消牌", TilesMain);
static const bool resetRegistered = RegisterHostReset([] { state = TilesState{}; });
