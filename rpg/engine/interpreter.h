#pragma once
// What the script commands need of the interpreter beyond its entry points
// (script.h): the text of a refused instruction, nested calls that report a
// refused instruction to their caller, and the call depth limit.

#include <cstdint>

// Calls nested deeper than this stop the script like an invalid instruction.
inline constexpr int kMaxCallDepth = 32;

// A run of more instructions than this stops like an invalid instruction: a
// script that jumps in a circle without ever waiting would hang the game,
// and nothing (not even Esc) could reach it.
inline constexpr int kMaxSteps = 100000;

// The screen's note of an instruction the interpreter refuses.
void ShowInvalidInstruction();

// CallScript for the Call command: false when the called script stopped on
// an instruction it refused (or the calls nest too deep), so that the caller
// stops too.
bool CallFromScript(uint8_t bank, uint8_t no);
