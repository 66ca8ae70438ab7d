#pragma once
// The viewer's settings that stay from one run to the next, kept in
// $XDG_CONFIG_HOME/tovsim/viewer.ini (else ~/.config/tovsim/viewer.ini):
//
//   [window]
//   scale = 3            ; 1..8, 0 or absent: chosen from the screen size
//   x = 120              ; the window's last position, absent: the system's
//   y = 80
//   fullscreen = 0       ; 0 or 1
//   [screenshots]
//   folder = /home/me/shots
//   [gamepad]
//   y = f2               ; SDL button name = key name or none (gamepad_map.h)
//
// The file is read with inih and written atomically (a new file renamed over
// the old one), so a crash never leaves half a file. A damaged file gives
// the defaults and a warning, never a failure.

#include <optional>
#include <string>

#include "viewer/gamepad_map.h"

namespace lcd {

struct ViewerSettings {
  int scale = 0;
  std::optional<int> x;
  std::optional<int> y;
  bool fullscreen = false;
  std::string shotsDir;  // empty: the current folder
  GamepadEntries gamepad;  // changes to the default gamepad table

  bool operator==(const ViewerSettings&) const = default;
};

// The settings file's path from $XDG_CONFIG_HOME and $HOME (either may be
// empty); empty when neither is set.
std::string SettingsPath(const std::string& configHome, const std::string& home);

// The settings in `path`. A missing file gives the defaults quietly; a file
// that cannot be read, a line that is not ini, or a value out of range gives
// the defaults with `warning` set to say why.
ViewerSettings LoadViewerSettings(const std::string& path, std::string* warning);

// The settings as the file's text.
std::string FormatViewerSettings(const ViewerSettings& settings);

// Writes the file atomically, making its folder when missing; false with
// `error` set when it could not.
bool SaveViewerSettings(const std::string& path, const ViewerSettings& settings,
                        std::string* error);

struct ViewerOptions;

// The settings this run uses: the file's, with what the command line gives
// (a scale, a screenshot folder) winning over them.
ViewerSettings ApplyOptions(const ViewerSettings& settings, const ViewerOptions& options);

}  // namespace lcd
