// The interpreter: the handler table, loading, running, events, calls,
// switching and ending, and the instructions it refuses; then arbitrary
// script bytes through it: scripts made by a seeded generator from the
// command table (valid and invalid opcodes, operands of every kind with
// random values, texts with and without their zero, jumps anywhere, cut-off
// ends), each run from its body and through every event, in the script test
// library (so that maps, characters and items are found). Inputs found
// harmful are kept in tests/fuzz_regressions/rpg_script/ and replayed first.
// There the screen is started but no host runs: every wait ends as a quit,
// which is reset. Nothing may crash or read outside the library (the
// sanitizer build checks), and every run ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "rpg/engine/command_table.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/interpreter.h"
#include "rpg/engine/script.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/script_commands.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/scratch.h"

namespace {

using rpgtest::InstalledLibrary;
using rpgtest::RunFromBody;

// That every command has its handler is the table's own static_assert.
TEST(CommandTableTest, NoOpcodeOutsideTheCommandTableHasAHandler) {
  for (int op = 0; op < 256; ++op) {
    if (!rpgfmt::FindCommand(uint8_t(op))) {
      EXPECT_EQ(HandlerFor(uint8_t(op)), nullptr) << op;
    }
  }
}

using InterpreterTest = rpgtest::ScriptTest;

// Running past the code length ends the script as End would, but records
// no key.
TEST_F(InterpreterTest, WithoutEventsTheBodyStartsAtOffsetThreeAndEndsAtTheLength) {
  Install("SetVar 1, 7\n");
  game.scriptNo = 1;
  game.scriptBank = 1;
  LoadScript();
  game.lastScriptBank = game.lastScriptNo = 9;
  EXPECT_EQ(game.eventCount, 0);
  EXPECT_EQ(game.scriptPc, 3);
  EXPECT_EQ(RunScript(game.scriptPc), 0);
  EXPECT_EQ(game.scriptVars[1], 7);
  EXPECT_EQ(game.lastScriptBank, 9);
  EXPECT_EQ(game.lastScriptNo, 9);
}

// Events past the table or with an empty entry run nothing; a handler
// ending with End puts the position back and records the script's key.
TEST_F(InterpreterTest, EventsRunTheirHandlerAndPutThePositionBack) {
  ASSERT_EQ(Run(".event 1, one\n.events 3\nEnd\none: SetVar 1, 1\nEnd\n"), 0);
  EXPECT_EQ(game.eventCount, 3);
  for (int n : {4, 0, 2}) EXPECT_EQ(RunEvent(n), n == 2 ? 0 : 1) << n;
  EXPECT_EQ(game.scriptVars[1], 0);
  game.scriptPc = 1234;
  game.scriptRunning = 5;
  game.lastScriptNo = 0;
  EXPECT_EQ(RunEvent(1), 0);
  EXPECT_EQ(game.scriptVars[1], 1);
  EXPECT_EQ(game.scriptPc, 1234);
  EXPECT_EQ(game.scriptRunning, 5);
  EXPECT_EQ(game.lastScriptBank, 1);
  EXPECT_EQ(game.lastScriptNo, 1);
}

// Scripts the interpreter stops at, drawing its note at (10, 70) and nothing
// else, with no run error: the invalid opcodes, cut-off instructions, a
// script jumping in a circle past its steps and calls nested too deep.
// Variables 1 and 2 show how far each got.
TEST_F(InterpreterTest, RefusedInstructionsStopTheScriptOnlyWithTheNote) {
  struct Case {
    const char* name;
    std::string source;
    std::vector<rpgtest::ScriptSource> more;
    int var1, var2;
  };
  const Case cases[] = {
      {"opcode 25", ".byte 25, 0\nSetVar 1, 1\n", {}, 0, 0},
      {"opcode 4", ".byte 4\nSetVar 1, 1\n", {}, 0, 0},
      {"opcode 80", ".byte 80\nSetVar 1, 1\n", {}, 0, 0},
      {"cut-off operand", "SetVar 1, 1\n.byte 12, 2, 0, 3\n", {}, 1, 0},
      {"text without its zero", "SetVar 1, 1\n.byte 47, 65, 66\n", {}, 1, 0},
      // The first step and then every second one adds to variable 2.
      {"a circle", "AddVar 1, 1\nloop: AddVar 2, 1\nGoto loop\n", {}, 1, uint8_t(kMaxSteps / 2)},
      // Each call counts in variable 1; the self-call never returns.
      {"calls too deep", "AddVar 1, 1\nCall 1, 1\nSetVar 2, 1\n", {}, kMaxCallDepth + 1, 0},
      // The caller stops too.
      {"in a called script", "Call 1, 2\nSetVar 1, 1\n", {{1, 2, ".byte 80\nReturn\n"}}, 0, 0},
  };
  const auto note = Drawn([] { DrawString(10, 70, "错误指令..."); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearScreen();
    EXPECT_EQ(Run(c.source, c.more), 1);
    EXPECT_EQ(game.runStatus, 0);
    EXPECT_EQ(game.scriptVars[1], c.var1);
    EXPECT_EQ(game.scriptVars[2], c.var2);
    EXPECT_EQ(game.callDepth, 0);
    EXPECT_EQ(rpgtest::ArtOf(nullptr, 0, 0, 160, 96), note);
  }
}

// Script 2 returns: the caller goes on to call script 3, which ends, stays
// current and ends the caller.
TEST_F(InterpreterTest, ACallThatReturnsGoesOnAndOneThatEndsEndsTheCaller) {
  EXPECT_EQ(Run("Call 1, 2\nCall 1, 3\nSetVar 1, 1\nEnd\n",
                {{1, 2, "SetVar 2, 2\nReturn\nSetVar 3, 3\n"}, {1, 3, "SetVar 4, 4\nEnd\n"}}),
            0);
  EXPECT_EQ(game.scriptVars[2], 2);
  EXPECT_EQ(game.scriptVars[3], 0);
  EXPECT_EQ(game.scriptVars[4], 4);
  EXPECT_EQ(game.scriptVars[1], 0);
  EXPECT_EQ(game.scriptNo, 3);
  EXPECT_EQ(game.lastScriptNo, 3);
  EXPECT_EQ(game.callDepth, 0);
}

// A call keeps the caller current; RunScriptFile ignores the missing script,
// not a damaged library.
TEST_F(InterpreterTest, AMissingScriptIsARunErrorForCallsAndRunScriptOnly) {
  EXPECT_EQ(Run("Call 1, 9\nSetVar 1, 1\n"), 2);
  EXPECT_EQ(game.runStatus, 3);
  EXPECT_EQ(game.scriptBank, 1);
  EXPECT_EQ(game.scriptNo, 1);
  EXPECT_EQ(game.scriptVars[1], 0);
  game.runStatus = 0;
  EXPECT_EQ(CallScript(1, 9), 1);
  EXPECT_EQ(game.runStatus, 3);
  game.runStatus = 0;
  game.scriptNo = 7;
  EXPECT_EQ(RunScript(3), 3);
  EXPECT_EQ(game.runStatus, 3);
  game.runStatus = 0;
  game.scriptNo = 1;
  RunScriptFile(1, 8);
  EXPECT_EQ(game.runStatus, 0);
  EXPECT_EQ(game.scriptNo, 1);
  RunScriptFile(1, 1);  // found, it runs: its call fails again
  EXPECT_EQ(game.runStatus, 3);
  game.runStatus = 0;
  game.libSize = 8;  // the directory now ends past the file: damaged, not missing
  RunScriptFile(1, 1);
  EXPECT_EQ(game.runStatus, 2);
}

TEST_F(InterpreterTest, SwitchingClearsTheMapVariablesAndCharactersAndGoesOnInTheNewBody) {
  Install("SwitchScript 1, 2\nSetVar 1, 1\n", {{1, 2, ".event 1, e\nSetVar 2, 2\nEnd\ne: End\n"}});
  for (int v = 0; v < 256; ++v) game.scriptVars[v] = 9;
  game.npcs[39] = &game.npcStore[39];
  game.npcStore[39].x = 3;
  EXPECT_EQ(RunFromBody(), 0);
  EXPECT_EQ(game.scriptNo, 2);
  EXPECT_EQ(game.eventCount, 1);
  EXPECT_EQ(game.scriptVars[1], 9) << "the old script's next command never ran";
  EXPECT_EQ(game.scriptVars[2], 2);
  EXPECT_EQ(game.scriptVars[199], 9);
  for (int v = 200; v < 256; ++v) EXPECT_EQ(game.scriptVars[v], 0) << v;
  EXPECT_EQ(game.npcs[39], nullptr);
  EXPECT_EQ(game.npcStore[39].x, 0);
}

TEST_F(InterpreterTest, ARunErrorStopsAtOnceWithThePositionFromTheBody) {
  EXPECT_EQ(Run(".events 2\nSetVar 1, 1\nDropNpc 5\nSetVar 2, 2\n"), 2);
  EXPECT_EQ(game.runStatus, 11);
  EXPECT_EQ(game.scriptVars[2], 0);
  // The body starts at 7; SetVar is 5 bytes, DropNpc 3.
  EXPECT_EQ(game.scriptPc, 8);
}

// A script resource whose code length or event table runs past its block or
// the file is run error 2, and nothing of it is read.
TEST_F(InterpreterTest, AScriptRunningPastTheFileIsRunErrorTwo) {
  for (const auto& [name, length, events] :
       {std::tuple{"code length", 0x7000, 0}, std::tuple{"event table", 10, 255}}) {
    SCOPED_TRACE(name);
    rpgtest::Bytes script = rpgtest::AssembleScript("End\n");
    script[24] = uint8_t(length);
    script[25] = uint8_t(length >> 8);
    script[26] = uint8_t(events);
    rpgtest::Bytes image = rpgtest::PackLibrary({{{1, 1, 1}, script}});
    // The file ends with the script's own bytes.
    image.resize(rpgtest::LocationOf(image, 0) + script.size());
    InstalledLibrary lib(image);
    EXPECT_EQ(RunFromBody(), -1);
    EXPECT_EQ(game.runStatus, 2);
    EXPECT_EQ(game.scriptCode, nullptr);
  }
}

using rpgtest::Bytes;

// Room for the scripts made here, reserved in the packed library.
constexpr std::size_t kScriptRoom = 2048;

class ScriptBytesTest : public rpgtest::GameScreenTest {
 protected:
  void SetUp() override {
    GameScreenTest::SetUp();
    // A script of kScriptRoom bytes as (1, 1, 1); its bytes are replaced by
    // each run's.
    Bytes placeholder = rpgtest::AssembleScript("End\n");
    placeholder.resize(kScriptRoom, 0);
    image_ = rpgtest::WithResources(rpgtest::TestLibrary("script"), {{{1, 1, 1}, placeholder}});
    // Scripts are the first type: the script is directory entry 0.
    at_ = rpgtest::LocationOf(image_, 0);
  }

  // Runs `script` as (1, 1, 1): its body, then events 0 ... N + 1.
  void Run(const Bytes& script) {
    ASSERT_LE(script.size(), kScriptRoom);
    rpgtest::ResetStateKeepingCanvases();
    Bytes image = image_;
    std::fill(image.begin() + at_, image.begin() + at_ + kScriptRoom, 0);
    std::copy(script.begin(), script.end(), image.begin() + at_);
    rpgtest::InstalledLibrary lib(image);
    RunScriptFile(1, 1);
    const int events = game.scriptCode ? game.eventCount : 0;
    for (int n = 0; n <= events + 1; ++n) {
      game.runStatus = 0;
      RunEvent(n);
    }
    EXPECT_EQ(game.callDepth, 0);
  }

  Bytes image_;
  std::size_t at_ = 0;
};

// A random instruction: mostly a command of the table with operands of its
// kinds, sometimes an invalid opcode or a text missing its zero.
void AppendInstruction(std::mt19937& rng, Bytes& out, uint16_t codeLength) {
  auto byte = [&] { return uint8_t(rng()); };
  const auto commands = rpgfmt::AllCommands();
  if (rng() % 16 == 0) {
    out.push_back(uint8_t(rng() % 2 ? 25 : 80 + rng() % 176));
    return;
  }
  const rpgfmt::CommandInfo& c = commands[rng() % commands.size()];
  out.push_back(c.code);
  for (const rpgfmt::OperandDef& op : c.Operands()) {
    switch (op.kind) {
      case rpgfmt::OperandKind::kByte:
        // Small numbers name characters, members, variables and flags that exist.
        out.insert(out.end(), {uint8_t(rng() % 3 ? rng() % 48 : byte()), uint8_t(rng() % 8 ? 0 : byte())});
        break;
      case rpgfmt::OperandKind::kWord:
      case rpgfmt::OperandKind::kAddress: {
        const uint16_t v = uint16_t(rng() % 4 ? rng() % (codeLength + 8) : rng());
        out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
        break;
      }
      case rpgfmt::OperandKind::kDword:
        for (int i = 0; i < 4; ++i) out.push_back(byte());
        break;
      case rpgfmt::OperandKind::kString:
      case rpgfmt::OperandKind::kRows:
      case rpgfmt::OperandKind::kGoods: {
        const int n = int(rng() % 4 ? rng() % 24 : rng() % 300);
        for (int i = 0; i < n; ++i) out.push_back(uint8_t(1 + rng() % 255));
        if (rng() % 8) out.push_back(0);
        break;
      }
      case rpgfmt::OperandKind::kPayload:
        for (int i = 0; i < op.hi; ++i) out.push_back(byte());
        break;
    }
  }
}

// A script resource: header, code length, events, body.
Bytes RandomScript(std::mt19937& rng) {
  const int events = int(rng() % 12);
  const uint16_t guess = uint16_t(3 + 2 * events + rng() % 600);
  Bytes body;
  while (body.size() + 3 + 2 * events < guess) AppendInstruction(rng, body, guess);
  Bytes script(24, 0);
  uint16_t length = uint16_t(3 + 2 * events + body.size());
  // Sometimes a code length that cuts the last instruction or overshoots.
  if (rng() % 8 == 0) length = uint16_t(length - rng() % 8);
  if (rng() % 16 == 0) length = uint16_t(length + rng() % 64);
  script.insert(script.end(), {uint8_t(length), uint8_t(length >> 8), uint8_t(events)});
  for (int e = 0; e < events; ++e) {
    const uint16_t at = uint16_t(rng() % 4 ? 3 + 2 * events + rng() % (body.size() + 1) : rng());
    script.insert(script.end(), {uint8_t(at), uint8_t(at >> 8)});
  }
  script.insert(script.end(), body.begin(), body.end());
  script.resize(std::min(script.size(), kScriptRoom));
  return script;
}

TEST_F(ScriptBytesTest, KeptInputsRunToTheirEnd) {
  const std::filesystem::path kept = std::string(TOVSIM_SCRIPT_FOUND);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(kept, ec)) {
    if (entry.path().extension() == ".md") continue;
    SCOPED_TRACE(entry.path().string());
    const std::string bytes = testsupport::ReadFile(entry.path().string());
    Run(Bytes(bytes.begin(), bytes.begin() + std::min(bytes.size(), kScriptRoom)));
  }
}

TEST_F(ScriptBytesTest, GeneratedScriptsRunToTheirEnd) {
  std::mt19937 rng(20261206);
  for (int i = 0; i < 300; ++i) {
    const Bytes script = RandomScript(rng);
    SCOPED_TRACE(i);
    Run(script);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
