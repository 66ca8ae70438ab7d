#pragma once
// The instance namespace: the folder that holds one simulator instance's
// windows (sockets) and shared memory, so several instances run side by side.

#include <string>

namespace plat {

// Name of the current instance: $TOVSIM_INSTANCE, or "default".
std::string InstanceName();

// Absolute path of the instance folder, created on first use with mode 0700:
// $XDG_RUNTIME_DIR/tovsim/<instance>, else /dev/shm/tovsim-<uid>/<instance>
// (/tmp/tovsim-<uid>/<instance> on a system without /dev/shm).
// Returns an empty string (and sets errno) when the folder cannot be made,
// is not a folder, or belongs to another user.
std::string InstanceDir();

}  // namespace plat
