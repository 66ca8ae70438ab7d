// Commands that play something: music, effect animations and the story
// crawl between two picture bands.

#include <algorithm>
#include <span>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/commands.h"
#include "rpg/engine/effect_player.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/picture_data.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"

namespace cmd {
namespace {

constexpr uint8_t kEndless = 255;
constexpr uint8_t kKeepScene = 0x02;
constexpr uint8_t kPictureType = uint8_t(rpgfmt::ResType::kPicture);
constexpr uint8_t kBands = 5;
constexpr uint32_t kCrawlTickMs = 10;
constexpr int kScreenHeight = 96;
constexpr int kBandHeight = 16;
constexpr int kFirstRowStart = 82;
constexpr int kRowStep = 2;
// The last four rows stay on the screen.
constexpr int kRowsKept = 4;

// A band picture of the crawl: its id and height, or missing (white).
struct Band {
  uint8_t id;
  int height;  // 0: missing
};

Band FindBand(uint8_t id) {
  const std::span<const uint8_t> bytes = LibResource(kPictureType, kBands, id);
  // A missing band is no error: it is drawn white.
  game.runStatus = 0;
  const auto pic = ReadPicHeader(bytes);
  const bool drawable = pic && !PicFrameBits(*pic, 0).empty();
  return {id, drawable ? pic->height : 0};
}

// The band at the top (y 0) or bottom of the screen, over a white strip.
void DrawBand(const Band& band, bool bottom) {
  const int height = band.height ? band.height : kBandHeight;
  const int y = bottom ? kScreenHeight - height : 0;
  ClearRect(0, int16_t(y), 159, int16_t(y + height - 1));
  if (band.height) DrawPicToScreen(kPictureType, kBands, band.id, 0, 0, uint8_t(y));
}

// One step of the crawl: the rising row at y, the rows after it below.
void DrawCrawl(std::span<const uint8_t> rows, const Band& top, const Band& bottom, int y) {
  const std::size_t first = std::min<std::size_t>(kTextRowBytes, rows.size());
  DrawTextRows(0, int16_t(y), rows.first(first));
  DrawBand(top, false);
  DrawTextRows(0, int16_t(y + kBandHeight), rows.subspan(first));
  DrawBand(bottom, true);
}

bool CrawlStopped() { return game.manualCommands || game.runStatus; }

}  // namespace

CommandResult Music(const Instruction& inst) {
  game.musicTrack = Byte(inst, 0);
  game.musicLoops = Byte(inst, 1) == 0 ? kEndless : Byte(inst, 1);
  if (game.musicTrack != 0 && game.soundOn) {
    PlayMusic(game.musicTrack);
  } else {
    game.musicLoops = 0;
    StopMusic();
  }
  return Next(inst);
}

CommandResult Animate(const Instruction& inst) {
  const uint8_t flags = Byte(inst, 4);
  SaveScene();
  if (!(flags & kKeepScene)) CanvasClear(game.sceneCanvas);
  PlayEffect(Byte(inst, 0), Byte(inst, 1), flags, Byte(inst, 2), Byte(inst, 3));
  RestoreScene();
  PresentScene();
  return Next(inst);
}

CommandResult Crawl(const Instruction& inst) {
  const std::span<const uint8_t> text = inst.operands[2].bytes;
  ClearScreen();
  StopTimer(kGameTimer);
  StartTimer(kGameTimer, kCrawlTickMs);
  game.manualCommands = 0;
  const Band top = FindBand(Byte(inst, 0));
  const Band bottom = FindBand(Byte(inst, 1));
  const int keepFrom = int(text.size()) - kRowsKept * kTextRowBytes;
  for (std::size_t row = 0, from = kFirstRowStart;; row += kTextRowBytes, from = kBandHeight) {
    for (int y = int(from); y >= 0 && !CrawlStopped(); y -= kRowStep) {
      DrawCrawl(text.subspan(row), top, bottom, y);
      WaitTicks(1, true);
    }
    if (CrawlStopped() || int(row) >= keepFrom) break;
  }
  StopTimer(kGameTimer);
  StartTimer(kGameTimer, kGameTickMs);
  return Next(inst);
}

}  // namespace cmd
