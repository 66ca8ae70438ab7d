// Commands that talk to the player: the dialogue window, the two-option
// choice, the word menu, messages and the map's name.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "host/canvas.h"
#include "host/msg.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/commands.h"
#include "rpg/engine/input.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"

namespace cmd {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr int32_t kSolid = 0;
constexpr uint8_t kPictureType = uint8_t(rpgfmt::ResType::kPicture);
constexpr uint8_t kFaces = 1;
constexpr std::size_t kFaceLineBytes = 11;
constexpr std::size_t kLineBytes = 15;
constexpr std::size_t kOptionBytes = 20;
constexpr int kMapNameTicks = 100;

// The length of the first characters of `text` that fill at least `bytes`
// bytes (a two-byte character is taken whole), or all of it.
std::size_t LineLength(std::string_view text, std::size_t bytes) {
  std::size_t n = 0;
  while (n < bytes && n < text.size()) n += IsLeadByte(uint8_t(text[n])) ? 2 : 1;
  return std::min(n, text.size());
}

// The whole characters of `text` that fit in `bytes` bytes.
std::string_view CutText(std::string_view text, std::size_t bytes) {
  std::size_t n = 0;
  while (n < text.size()) {
    const std::size_t next = n + (IsLeadByte(uint8_t(text[n])) ? 2 : 1);
    if (next > bytes || next > text.size()) break;
    n = next;
  }
  return text.substr(0, n);
}

void DrawLineText(int16_t x, int16_t y, std::string_view line) {
  DrawString(x, y, std::string(line).c_str());
}

// The dialogue box of one page, and where its first line starts.
int16_t DrawSayBox(uint8_t portrait) {
  if (portrait == 0) {
    ClearRect(9, 55, 149, 95);
    DrawRect(9, 55, 149, 95, kBlack, kSolid, nullptr);
    return 14;
  }
  ClearRect(9, 50, 149, 95);
  DrawRect(9, 50, 149, 95, kBlack, kSolid, nullptr);
  DrawLine(38, 50, 44, 56, kBlack, kSolid, nullptr);
  DrawLine(45, 56, 149, 56, kBlack, kSolid, nullptr);
  DrawPicToScreen(kPictureType, kFaces, portrait, 0, 13, 46);
  return 46;
}

// The choice bar on option `sel`, inverted (or inverted back).
void InvertBar(int left, int right, int sel) {
  InvertRect(int16_t(left + 3), int16_t(32 + 18 * sel), int16_t(right - 3), int16_t(48 + 18 * sel),
             nullptr);
}

bool IsArrow(uint8_t key) { return key >= kKeyLeft && key <= kKeyDown; }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

}  // namespace

CommandResult Say(const Instruction& inst) {
  const uint8_t portrait = Byte(inst, 0);
  const std::string text = Text(inst, 1);
  std::string_view rest = text;
  // Every page shows at least one line, even of an empty text.
  do {
    const int16_t firstX = DrawSayBox(portrait);
    const std::size_t first = LineLength(rest, portrait ? kFaceLineBytes : kLineBytes);
    DrawLineText(firstX, 58, rest.substr(0, first));
    rest.remove_prefix(first);
    const std::size_t second = LineLength(rest, kLineBytes);
    DrawLineText(14, 77, rest.substr(0, second));
    rest.remove_prefix(second);
    if (WaitKeyDown() == kNoKey && game.runStatus) return Next(inst);
  } while (!rest.empty());
  PresentScene();
  return Next(inst);
}

CommandResult Choose2(const Instruction& inst) {
  const std::string first = Text(inst, 0);
  const std::string second = Text(inst, 1);
  const std::string_view options[2] = {CutText(first, kOptionBytes), CutText(second, kOptionBytes)};
  const int width = 8 * int(std::max(options[0].size(), options[1].size())) + 6;
  const int left = (160 - width) / 2;
  const int right = left + width;
  ClearRect(int16_t(left), 28, int16_t(right), 70);
  DrawRect(int16_t(left + 1), 30, int16_t(right - 1), 68, kBlack, kSolid, nullptr);
  DrawLineText(int16_t(left + 3), 32, options[0]);
  DrawLineText(int16_t(left + 3), 50, options[1]);
  int sel = 0;
  InvertBar(left, right, sel);
  for (;;) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyEnter) break;
    if (key == kNoKey && game.runStatus) return Next(inst);
    if (!IsArrow(key)) continue;
    InvertBar(left, right, sel);
    sel = 1 - sel;
    InvertBar(left, right, sel);
  }
  PresentScene();
  return JumpIf(sel == 1, inst, 2);
}

CommandResult Menu(const Instruction& inst) {
  const std::string text = Text(inst, 1);
  const std::vector<std::string_view> words = Words(text);
  if (words.empty()) return Next(inst);
  std::size_t longest = 0;
  for (std::string_view w : words) longest = std::max(longest, w.size());
  std::vector<uint8_t> table(words.size() * longest, ' ');
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::memcpy(table.data() + i * longest, words[i].data(), words[i].size());
  }
  const int width = int(longest);
  const uint8_t chosen = ChooseFromList(80 - 4 * width, 10, width, int(words.size()), table, 0, nullptr);
  // Esc (255) wraps to 0.
  game.scriptVars[Byte(inst, 0)] = uint8_t(chosen + 1);
  PresentScene();
  return Next(inst);
}

CommandResult Alert(const Instruction& inst) {
  ShowMessage(Text(inst, 0).c_str(), 0);
  return Next(inst);
}

CommandResult Notice(const Instruction& inst) {
  ShowMessage(Text(inst, 1).c_str(), Byte(inst, 0));
  return Next(inst);
}

CommandResult MapName(const Instruction& inst) {
  const std::string text = Text(inst, 0);
  const std::string_view name = CutText(text, kMapNameSize);
  std::memset(game.mapName, 0, sizeof game.mapName);
  std::memcpy(game.mapName, name.data(), name.size());
  return Next(inst);
}

CommandResult ShowMapName(const Instruction& inst) {
  ShowMessage(game.mapName, kMapNameTicks);
  return Next(inst);
}

}  // namespace cmd
