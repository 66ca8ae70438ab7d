#include "rpg/engine/script_load.h"

#include <cstring>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/script.h"
#include "rpg/format/library.h"
#include "rpg/format/script_file.h"

namespace {

constexpr uint8_t kScriptType = uint8_t(rpgfmt::ResType::kScript);
constexpr uint8_t kNotAddressable = 2;

}  // namespace

std::span<const uint8_t> CodeArea(uint8_t bank, uint8_t no) {
  const std::span<const uint8_t> res = LibResource(kScriptType, bank, no);
  if (game.runStatus) return {};
  if (res.size() < rpgfmt::kScriptHeaderSize + rpgfmt::kScriptEventTableOffset) {
    game.runStatus = kNotAddressable;
    return {};
  }
  const std::span<const uint8_t> area = res.subspan(rpgfmt::kScriptHeaderSize);
  const uint16_t length = codec::LoadLe<uint16_t>(area.data() + rpgfmt::kScriptCodeLengthOffset);
  const uint8_t events = area[rpgfmt::kScriptEventCountOffset];
  if (area.size() < length || area.size() < rpgfmt::ScriptBodyStart(events)) {
    game.runStatus = kNotAddressable;
    return {};
  }
  return area;
}

void UseCode(std::span<const uint8_t> area) {
  game.scriptCode = area.data();
  game.scriptLength = codec::LoadLe<uint16_t>(area.data() + rpgfmt::kScriptCodeLengthOffset);
  game.scriptCodeSize = game.scriptLength;
}

void LoadScript() {
  const std::span<const uint8_t> area = CodeArea(game.scriptBank, game.scriptNo);
  if (area.empty()) {
    game.scriptCode = nullptr;
    return;
  }
  UseCode(area);
  game.eventCount = area[rpgfmt::kScriptEventCountOffset];
  std::memset(game.eventTable, 0, sizeof game.eventTable);
  for (int i = 0; i < game.eventCount; ++i) {
    game.eventTable[i] =
        codec::LoadLe<uint16_t>(area.data() + rpgfmt::kScriptEventTableOffset + 2 * i);
  }
  game.scriptPc = rpgfmt::ScriptBodyStart(game.eventCount);
}

std::span<const uint8_t> CurrentCode() {
  if (!game.scriptCode) return {};
  return {game.scriptCode, game.scriptCodeSize};
}
