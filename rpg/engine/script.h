#pragma once
// The script interpreter's entry points, as the title, the map loop and the
// menus call them. They are defined with the interpreter, in its own files;
// this header only declares them.
//
// They are declared weak so that the game links and runs before the
// interpreter is part of it: until then the calls are skipped (a new game
// then starts no script, and no event runs). When the interpreter's file
// defines them, the weak attribute goes: a weak reference does not pull an
// object out of a static library.

#include <cstdint>

// Loads script (scriptBank, scriptNo): its code, length and event table.
[[gnu::weak]] void LoadScript();
// Runs the current script from `address`: 0 ended, 1 invalid command, 2 a
// command set runStatus, 3 the script was not found.
[[gnu::weak]] int RunScript(uint16_t address);
// Runs the handler of event n of the current script: 0 ran or no handler,
// 1 no such event, 2 the handler failed.
[[gnu::weak]] int RunEvent(int n);
// Makes script (1, bank, no) current and runs it; a missing one is ignored.
[[gnu::weak]] void RunScriptFile(uint8_t bank, uint8_t no);
// Runs script (1, bank, no) as a subroutine: 0, 1 (failed to load) or 2.
[[gnu::weak]] int CallScript(uint8_t bank, uint8_t no);

// Whether the interpreter is linked in.
inline bool InterpreterPresent() { return RunEvent != nullptr; }
