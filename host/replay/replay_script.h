#pragma once
// A replay file: input for the emulated device at virtual times, and the
// moments at which the screen is to be saved. One step per line:
//
//   # comment, and blank lines, are ignored
//   TIME COMMAND ARGS...
//
// TIME is milliseconds of virtual time since the start, never less than the
// line before. COMMAND is an input command (key, keyup, type, click,
// dblclick, post; see drive/input_commands.h; `type` takes the rest of the
// line as its text), `frame NAME.png`, which saves the screen under that
// plain file name once everything up to TIME has been handled, or
// `frame-update N NAME.png`, which saves it right after the N-th screen
// update from that moment on (a picture shown only between two idle moments).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codec/diagnostics.h"
#include "drive/input_commands.h"

namespace replay {

// Larger files are refused; a replay is a short script.
inline constexpr std::size_t kMaxScriptBytes = 1 << 20;
inline constexpr int64_t kMaxTimeMs = 24LL * 3600 * 1000;
inline constexpr int kMaxUpdates = 1000000;

struct Step {
  int line = 0;
  int64_t atMs = 0;
  std::vector<drive::InputMessage> input;  // an input command's messages
  std::string frame;                     // or the file name of a frame
  int updates = 0;                       // taken at this update from now on; 0: at once
};

// The steps of a script's text, in order. False, after reporting the first
// line it cannot take to `diag` (as `name`:line:column), for a bad script.
bool ParseScript(std::string_view text, const std::string& name, std::vector<Step>* steps,
                 codec::Diagnostics* diag);

// Where a step stands, for its messages: "line 3 (300 ms): ".
std::string StepPlace(const Step& step);

// A frame's name: a plain file name ending in .png, so every frame lands in
// the frames folder and nowhere else.
bool GoodFrameName(std::string_view name);

// Reads and parses the file at `path`.
bool LoadScript(const std::string& path, std::vector<Step>* steps, codec::Diagnostics* diag);

}  // namespace replay
