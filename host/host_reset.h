#pragma once
// Putting the host's process-wide state back as a fresh process has it.
// Each module with state of its own registers, at static initialisation, a
// function that drops that state:
//
//   const bool kResetRegistered = RegisterHostReset(ResetThisModule);
//
// A program never needs ResetHost(); tests that run the host, or some of its
// modules, many times in one process call it between runs.

using HostResetFunction = void (*)();

// Adds `reset` to the functions ResetHost runs. Answers true, so that a
// registration can initialise a constant.
bool RegisterHostReset(HostResetFunction reset);

// Runs every registered function. Each stands alone, so their order does not
// matter.
void ResetHost();
