#pragma once
// The instance namespace: the folder that holds one simulator instance's
// windows (sockets) and shared memory, so several instances run side by side.

#include <string>

namespace plat {

// The instance's name, as a program's main takes it from TOVSIM_INSTANCE
// (see program_env.h); empty gives "default".
void SetInstanceName(const std::string& name);
// The session's runtime folder, as main takes it from XDG_RUNTIME_DIR; empty
// when there is none.
void SetRuntimeDir(const std::string& folder);

// Name of the current instance: the one set, or "default".
std::string InstanceName();

// Absolute path of the instance folder, created on first use with mode 0700:
// <runtime folder>/tovsim/<instance>, else /dev/shm/tovsim-<uid>/<instance>
// (/tmp/tovsim-<uid>/<instance> on a system without /dev/shm).
// Returns an empty string (and sets errno) when the folder cannot be made,
// is not a folder, or belongs to another user.
std::string InstanceDir();

}  // namespace plat
