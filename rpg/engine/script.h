#pragma once
// The script interpreter's entry points, as the title, the map loop and the
// menus call them (interpreter.cpp). A script is resource (1, bank, no); its
// code area holds the code length, the event table and the body, and every
// script address counts from the code area's start.

#include <cstdint>

// Loads script (scriptBank, scriptNo): its code, length and event table, and
// scriptPc at its body. On a failed lookup only scriptCode (null) and
// runStatus change; a script whose event table or code runs past its block
// or the file is run error 2.
void LoadScript();
// Runs the current script from `address`: 0 ended, 1 invalid command, 2 a
// command set runStatus, 3 the script was not found.
int RunScript(uint16_t address);
// Runs the handler of event n of the current script: 0 ran or no handler,
// 1 no such event, 2 the handler failed.
int RunEvent(int n);
// Makes script (1, bank, no) current and runs it; a missing one is ignored.
void RunScriptFile(uint8_t bank, uint8_t no);
// Runs script (1, bank, no) as a subroutine: 0, 1 (failed to load) or 2.
int CallScript(uint8_t bank, uint8_t no);
