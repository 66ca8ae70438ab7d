// The game's entry and message loop, and its state.

#include <string>

#include "games/pairs/pairs.h"
#include "games/pairs/pairs_view.h"
#include "host/app_registry.h"
#include "host/device_api.h"
#include "host/host_reset.h"
#include "platform/sys/msgbox.h"

namespace {

using namespace pairs;

constexpr uint32_t kTimerId = 1;
constexpr uint32_t kTickMs = 1000;
constexpr uint32_t kMismatchMs = 700;
constexpr uint32_t kKeyL = 'L';

PairsState state;

int PointX(uint32_t lParam) { return int16_t(lParam & 0xFFFF); }
int PointY(uint32_t lParam) { return int16_t(lParam >> 16); }

void ShowMissingPackage(const char* path) {
  const std::string text = std::string("无法打开图片包 ") + path;
  plat::MessageBoxA(nullptr, text.c_str(), nullptr, plat::MB_OK);
}

// To the other machine; a joined machine whose host is gone plays on alone.
void Send(const Packet& packet) {
  const NetBufferDesc desc{packet.size, packet.bytes};
  if (state.role == kHosting) NetSendToClients(&desc);
  if (state.role == kJoined && !NetSendToServer(&desc)) state.role = kAlone;
}

void StartNewGame(const PairsPictures& pictures) {
  NewGame(state);
  DrawNewGame(pictures);
  Deal(state, Random);
}

uint32_t RandomColour() {
  const uint32_t red = uint32_t(Random()) & 255;
  const uint32_t green = uint32_t(Random()) & 255;
  const uint32_t blue = uint32_t(Random()) & 255;
  return red | green << 8 | blue << 16;
}

// False when no Message can be taken any more.
bool ShowWin(const PairsPictures& pictures) {
  const uint32_t red[3] = {0x0000FF, 0x0000FF, 0x0000FF};
  DrawWinLines(red);
  Message message;
  bool taking = true;
  while ((taking = GetMsg(&message))) {
    if (message.type == MsgTimer) {
      const uint32_t colours[3] = {RandomColour(), RandomColour(), RandomColour()};
      DrawWinLines(colours);
    }
    const bool key = message.type == MsgKeyDown &&
                     (message.wParam == kKeyEnter || message.wParam == kKeyEscape);
    if (key || message.type == MsgMouseDown) break;
  }
  ClearAfterWin();
  StartNewGame(pictures);
  state.started = 0;
  return taking;
}

// False when no Message can be taken any more.
bool Apply(Pick pick, const PairsPictures& pictures) {
  const uint8_t value = CardAt(state, pick);
  const PickOutcome outcome = ApplyPick(state, pick);
  if (outcome == PickOutcome::kIgnored || outcome == PickOutcome::kSameAgain) return true;
  DrawCard(pictures, pick, value);
  if (outcome == PickOutcome::kMismatch) {
    DelayMs(kMismatchMs);
    DrawCard(pictures, state.first, kBack);
    DrawCard(pictures, pick, kBack);
  }
  return outcome != PickOutcome::kWin || ShowWin(pictures);
}

bool HandleNetData(const PairsPictures& pictures) {
  uint8_t block[kMaxPacket];
  uint32_t size = 0;
  if (!NetGetDataSized(block, sizeof block, &size)) return true;
  const Received got = DecodePacket(block, size, state);
  switch (got.kind) {
    case Received::kRequest:
      Send(EncodeBoard(state));
      state.started = 1;
      return true;
    case Received::kBoard:
      AdoptBoard(state, got.board);
      DrawBoard(state, pictures);
      return true;
    case Received::kPick:
      return Apply(got.pick, pictures);
    case Received::kClock:
      state.clock = got.clock;
      DrawClock(state.clock);
      return true;
    case Received::kNone:
      return true;
  }
  return true;
}

bool HandleClick(uint32_t lParam, const PairsPictures& pictures) {
  Pick pick;
  if (!PickCellAt(PointX(lParam), PointY(lParam), state, &pick)) return true;
  Send(EncodePick(pick));
  return Apply(pick, pictures);
}

void HandleTick() {
  if (state.role != kHosting) return;
  ++state.clock;
  if (state.started) Send(EncodeClock(state.clock));
  DrawClock(state.clock);
}

void Play(const PairsPictures& pictures) {
  DateTime now{};
  GetDateTime(&now);
  SeedRandom(now.second);
  StartNewGame(pictures);
  StartTimer(kTimerId, kTickMs);
  Message message;
  bool taking = true;
  // A failed wait hands back no Message at all; leaving beats spinning.
  while (taking && GetMsg(&message)) {
    switch (message.type) {
      case MsgNetData:
        taking = HandleNetData(pictures);
        break;
      case MsgMouseDown:
        taking = HandleClick(message.lParam, pictures);
        break;
      case MsgTimer:
        HandleTick();
        break;
      case MsgKeyDown:
        if (message.wParam == kKeyEscape) return;
        if (message.wParam == kKeyL && !state.started) {
          // To the host; a host or a lone player has nobody to ask.
          if (state.role == kJoined) Send(EncodeRequest());
          state.started = 1;
        }
        break;
      default:
        break;
    }
  }
}

}  // namespace

int PairsMain() {
  if (AppBegin() == -1) return -1;
  state = PairsState{};
  state.role = uint8_t(NetGameSetup());
  char path[260 + sizeof kPackagePath];
  ModulePath(path, kPackagePath);
  void* package = ResOpen(path);
  PairsPictures pictures{};
  if (package && LoadPictures(package, &pictures)) {
    Play(pictures);
  } else {
    ShowMissingPackage(path);
  }
  StopTimer(kTimerId);
  ResClose(package);
  NetClose();
  return AppEnd();
}

pairs::PairsState GetPairsState() { return state; }

static const bool registered = RegisterApp("pairs", "翻牌", [] { PairsMain(); });
static const bool resetRegistered = RegisterHostReset([] { state = PairsState{}; });
