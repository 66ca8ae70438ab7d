// The host/join dialog of the network game service.

#include "host/canvas.h"
#include "host/msg.h"
#include "host/lcd.h"
#include "host/net.h"
#include "host/net_blocks.h"
#include "host/text.h"

namespace {

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kBoxCharacters = 18;
constexpr int kBoxLines = 3;
constexpr uint32_t kConnectWaitMs = 5000;
constexpr int kHostChoice = 1;
constexpr int kJoinChoice = 2;
constexpr int kHosting = 1;
constexpr int kJoined = 2;

constexpr char kTitle[] = "=====联机游戏=====";
constexpr char kHostText[] = "===*1. 主控游戏===";
constexpr char kJoinText[] = "===*2. 加入游戏===";
constexpr char kHostPrompt[] = "===请输入主机名===";
constexpr char kJoinPrompt[] = "=请输入主机IP地址=";
constexpr char kConnected[] = "连接成功...";
constexpr char kFailed[] = "连接失败...";

// The dialog's box of three text lines, in the middle of the screen.
struct Box {
  int16_t left, top, right, bottom, lineHeight;

  int16_t Line(int index) const { return int16_t(top + index * lineHeight); }
};

Box CentredBox() {
  FontMetrics font;
  GetFontMetrics(&font, nullptr);
  const int width = kBoxCharacters * font.charWidth;
  const int height = kBoxLines * font.lineHeight;
  const int left = (hostScreen.width - width) / 2;
  const int top = (hostScreen.height - height) / 2;
  return {int16_t(left), int16_t(top), int16_t(left + width), int16_t(top + height),
          int16_t(font.lineHeight)};
}

void ClearBox(const Box& box) {
  FillRectColor(box.left, box.top, box.right, box.bottom, kWhite, nullptr);
}

// Choice 1 or 2 shown inverted.
void InvertBar(const Box& box, int choice) {
  InvertRect(box.left, box.Line(choice), box.right, box.Line(choice + 1), nullptr);
}

void DrawChoices(const Box& box) {
  DrawRect(int16_t(box.left - 1), int16_t(box.top - 1), int16_t(box.right + 1),
           int16_t(box.bottom + 1), kGreen, 0, nullptr);
  ClearBox(box);
  DrawText(box.left, box.Line(0), kTitle, nullptr);
  DrawText(box.left, box.Line(kHostChoice), kHostText, nullptr);
  DrawText(box.left, box.Line(kJoinChoice), kJoinText, nullptr);
  InvertBar(box, kHostChoice);
}

// The choice taken with Enter; 0 for Escape or F2.
int Choose(const Box& box) {
  int choice = kHostChoice;
  Message message;
  while (GetMsg(&message)) {
    if (message.type != MsgKeyDown) continue;
    switch (message.wParam) {
      case kKeyUp:
      case kKeyDown:
        InvertBar(box, choice);
        choice = choice == kHostChoice ? kJoinChoice : kHostChoice;
        InvertBar(box, choice);
        break;
      case kKeyEnter:
        return choice;
      case kKeyEscape:
      case kKeyF2:
        return 0;
    }
  }
  return 0;
}

// Reads the game's name or the host's address and connects; cancelling the
// input gives 0 at once, with no attempt and no wait.
int Connect(const Box& box, int choice) {
  ClearBox(box);
  DrawText(box.left, box.Line(0), choice == kHostChoice ? kHostPrompt : kJoinPrompt, nullptr);
  char text[16] = {};
  if (!InputLine(box.left, box.Line(1), text)) return 0;
  int result = 0;
  if (choice == kHostChoice) {
    result = NetHost(text) ? kHosting : 0;
  } else {
    result = NetJoin(text) ? kJoined : 0;
  }
  if (result) {
    DrawText(box.left, box.Line(2), kConnected, nullptr);
    NetBlocksDrop();
  } else {
    DrawText(box.left, box.Line(2), kFailed, nullptr);
    NetClose();
  }
  DelayMs(kConnectWaitMs);
  return result;
}

}  // namespace

int NetGameSetup() {
  // Without a copy of the screen it could not be put back: no dialog.
  Canvas* saved = CanvasCreate();
  if (!saved) return 0;
  CanvasCopy(saved, nullptr);
  const Box box = CentredBox();
  DrawChoices(box);
  const int choice = Choose(box);
  const int result = choice ? Connect(box, choice) : 0;
  CanvasCopy(nullptr, saved);
  CanvasFree(saved);
  return result;
}
