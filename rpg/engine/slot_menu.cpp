#include "rpg/engine/slot_menu.h"

#include <algorithm>
#include <cstring>

#include "host/canvas.h"
#include "host/file.h"
#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/save_slots.h"
#include "rpg/engine/ui_text.h"

namespace {

constexpr int kSlots = rpgfmt::save::kSaveSlots;
constexpr int kSlotHeight = 23;
// The first bytes of a main file: the map name (10 and its terminator, one
// more) and the three party ids.
constexpr std::size_t kHeadBytes = 15;
constexpr std::size_t kNameBytes = 10;
constexpr std::size_t kPartyAt = 12;
constexpr int kFaceFrame = 6;
constexpr int kFaceX[3] = {7, 27, 46};

struct Origin {
  int x = 0;
  int y = 0;
};

// Where the centred picture (11, 2, mode) lies; a library without it puts the
// slots at the top left.
Origin DrawBackground(uint8_t mode) {
  ClearScreen();
  const std::optional<PicInfo> pic = ReadPicHeader(LibResource(11, 2, mode));
  game.runStatus = 0;
  if (!pic) return {};
  const Origin at{(159 - pic->width) / 2, (96 - pic->height) / 2};
  DrawPicToScreen(11, 2, mode, 0, uint8_t(at.x), uint8_t(at.y));
  return at;
}

// The bytes a main file starts with; a shorter file gives what it holds.
std::size_t ReadHead(int slot, uint8_t (&head)[kHeadBytes]) {
  std::FILE* f = FileOpen(SaveName(SaveFileKind::kMain, slot).c_str(), "rb");
  if (!f) return 0;
  const std::size_t got = FileRead(head, 1, kHeadBytes, f);
  FileClose(f);
  return got == 0 ? 1 : got;  // an empty file exists all the same
}

void DrawSlot(Origin o, int slot) {
  uint8_t head[kHeadBytes] = {};
  const std::size_t got = ReadHead(slot, head);
  const int16_t textX = int16_t(o.x + 68);
  const int16_t textY = int16_t(o.y + 28 + kSlotHeight * slot);
  if (got == 0) {
    DrawString(textX, textY, "空档案");
    return;
  }
  for (int p = 0; p < 3; ++p) {
    if (kPartyAt + p >= got || head[kPartyAt + p] == 0) continue;
    DrawPicToScreen(11, 1, head[kPartyAt + p], kFaceFrame, uint8_t(o.x + kFaceX[p]),
                    uint8_t(o.y + 22 + kSlotHeight * slot));
  }
  char name[kNameBytes + 1] = {};
  std::memcpy(name, head, std::min(got, kNameBytes));
  DrawString(textX, textY, name);
}

void InvertBar(Origin o, int sel) {
  const int16_t x = int16_t(o.x + 67);
  const int16_t y = int16_t(o.y + 27 + kSlotHeight * sel);
  InvertRect(x, y, int16_t(x + 82), int16_t(y + 17), nullptr);
}

uint8_t ChooseSlot(Origin o) {
  int sel = 0;
  InvertBar(o, sel);
  Message m;
  while (NextMessage(&m)) {
    if (m.type == kQuitMessage) {
      game.runStatus = kQuit;
      return kSlotCancelled;
    }
    if (m.type != MsgKeyDown) continue;
    if (m.wParam == kKeyEnter) return uint8_t(sel);
    if (m.wParam == kKeyEscape) return kSlotCancelled;
    if (m.wParam != kKeyUp && m.wParam != kKeyDown) continue;
    InvertBar(o, sel);
    sel = (sel + (m.wParam == kKeyUp ? kSlots - 1 : 1)) % kSlots;
    InvertBar(o, sel);
  }
  return kSlotCancelled;
}

}  // namespace

uint8_t SlotMenu(uint8_t mode) {
  const Origin o = DrawBackground(mode);
  StopTimer(kGameTimer);
  for (int slot = 0; slot < kSlots; ++slot) {
    RecoverSlotFiles(slot);
    DrawSlot(o, slot);
  }
  const uint8_t chosen = ChooseSlot(o);
  StartTimer(kGameTimer, kGameTickMs);
  return chosen;
}
