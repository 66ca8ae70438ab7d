// The interpreter: the handler table, loading, running, events, calls,
// switching and ending, and the instructions it refuses.

#include <gtest/gtest.h>

#include <string>

#include "rpg/engine/command_table.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/interpreter.h"
#include "rpg/engine/script.h"
#include "rpg/engine/ui_text.h"
#include "rpg/format/script_commands.h"
#include "tests/rpg/support/script_library.h"

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

}  // namespace
