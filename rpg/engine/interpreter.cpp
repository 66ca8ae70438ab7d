#include <span>

#include "rpg/engine/command_table.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/interpreter.h"
#include "rpg/engine/library.h"
#include "rpg/engine/script.h"
#include "rpg/engine/script_load.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/library.h"
#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"

namespace {

constexpr uint8_t kScriptType = uint8_t(rpgfmt::ResType::kScript);
constexpr uint8_t kNotFound = 3;
constexpr int16_t kInvalidX = 10;
constexpr int16_t kInvalidY = 70;

enum RunResult : int { kEnded = 0, kInvalid = 1, kFailed = 2, kMissing = 3 };

// Set when the latest loop stopped at an instruction it refused; read by
// the Call command after its call returns.
bool stoppedOnRefusal = false;

int Stop(int result) {
  stoppedOnRefusal = result == kInvalid;
  return result;
}

// One instruction at scriptPc: decoded against the code cut at its length,
// then handed to its command's handler.
bool Step() {
  rpgfmt::Instruction inst;
  if (rpgfmt::DecodeInstruction(CurrentCode(), game.scriptPc, inst) != rpgfmt::DecodeError::kNone) {
    return false;
  }
  const CommandHandler handler = HandlerFor(inst.command->code);
  return handler && handler(inst) == CommandResult::kDone;
}

}  // namespace

void ShowInvalidInstruction() { DrawString(kInvalidX, kInvalidY, "错误指令..."); }

int RunScript(uint16_t address) {
  const std::span<const uint8_t> area = CodeArea(game.scriptBank, game.scriptNo);
  if (area.empty()) return Stop(kMissing);
  UseCode(area);
  game.scriptPc = address;
  game.scriptRunning = 1;
  // Each step reads the code, its length and scriptPc afresh: a command may
  // switch the script.
  for (int steps = 0; game.scriptRunning == 1 && game.scriptPc < game.scriptLength; ++steps) {
    if (steps == kMaxSteps || !Step()) {
      ShowInvalidInstruction();
      // The script stops here, and so does every script that called it.
      game.scriptRunning = 0;
      return Stop(kInvalid);
    }
    if (game.runStatus) {
      game.scriptPc = uint16_t(game.scriptPc - rpgfmt::ScriptBodyStart(game.eventCount));
      return Stop(kFailed);
    }
  }
  return Stop(kEnded);
}

int RunEvent(int n) {
  if (n <= 0 || n > game.eventCount) return 1;
  const uint16_t address = game.eventTable[n - 1];
  if (address == 0) return 0;
  const uint16_t pc = game.scriptPc;
  const uint8_t running = game.scriptRunning;
  if (RunScript(address) != kEnded) return 2;
  game.scriptPc = pc;
  game.scriptRunning = running;
  return 0;
}

void RunScriptFile(uint8_t bank, uint8_t no) {
  if (LibResource(kScriptType, bank, no).empty()) {
    // A missing script is ignored; a damaged library is not.
    if (game.runStatus == kNotFound) game.runStatus = 0;
    return;
  }
  game.scriptBank = bank;
  game.scriptNo = no;
  LoadScript();
  if (game.scriptCode) RunScript(game.scriptPc);
}

int CallScript(uint8_t bank, uint8_t no) {
  const uint8_t oldBank = game.scriptBank;
  const uint8_t oldNo = game.scriptNo;
  const uint16_t oldPc = game.scriptPc;
  game.scriptBank = bank;
  game.scriptNo = no;
  LoadScript();
  if (!game.scriptCode) {
    game.scriptBank = oldBank;
    game.scriptNo = oldNo;
    return 1;
  }
  ++game.callDepth;
  RunScript(game.scriptPc);
  --game.callDepth;
  if (game.runStatus) return 2;
  if (game.scriptRunning == 2) {
    game.scriptBank = oldBank;
    game.scriptNo = oldNo;
    LoadScript();
    if (!game.scriptCode) return 1;
    game.scriptPc = oldPc;
    game.scriptRunning = 1;
  }
  return 0;
}

bool CallFromScript(uint8_t bank, uint8_t no) {
  if (game.callDepth >= kMaxCallDepth) return false;
  stoppedOnRefusal = false;
  CallScript(bank, no);
  return !stoppedOnRefusal;
}
