#pragma once
// The screen as the viewer was last told to show it (the shared block),
// written as a PNG file: a replay's frames and a recording's marks.

#include <string>

namespace replay {

// False, with `why` set, when the block cannot be read or the file written.
bool SaveScreenFrame(const std::string& path, std::string* why);

}  // namespace replay
