#include "viewer/viewer_options.h"

#include <algorithm>
#include <charconv>

#include "drive/lcd_frame.h"

namespace lcd {

const char kViewerUsage[] =
    "Usage: Lcd [WIDTH HEIGHT] [--scale N] [--shots DIR] [--headless]\n"
    "The simulator's screen: shows what the host draws and sends it the keys,\n"
    "characters and clicks typed into its window.\n"
    "  WIDTH HEIGHT  screen size in pixels until the host changes it (320 240)\n"
    "  --scale N     window pixels per screen pixel, 1 to 8 (+ and - change it)\n"
    "  --shots DIR   folder for F12 screenshots (the settings file's, else the\n"
    "                current folder)\n"
    "  --headless    no window: keep the frames for tools only (also with\n"
    "                TOVSIM_HEADLESS=1 or without a display)\n"
    "  --help        this text\n"
    "  --version     the version\n"
    "Keys: F11 or Alt+Enter fullscreen, F12 screenshot, + and - the scale, F9 a\n"
    "mark in a recording (tovsim --record).\n"
    "The scale, the window's place, fullscreen and the screenshot folder are kept\n"
    "in $XDG_CONFIG_HOME/tovsim/viewer.ini (~/.config/tovsim/viewer.ini); the\n"
    "command line wins over the file for the run.\n";

namespace {

std::optional<int> ParseInt(const std::string& text, int low, int high) {
  int value = 0;
  auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (code != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<ViewerOptions> ParseViewerOptions(const std::vector<std::string>& args,
                                                std::string* error) {
  ViewerOptions options;
  std::vector<int> sizes;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--scale" && hasValue) {
      std::optional<int> scale = ParseInt(args[++i], 1, kMaxScale);
      if (!scale) {
        *error = "--scale takes a number from 1 to " + std::to_string(kMaxScale);
        return std::nullopt;
      }
      options.scale = *scale;
    } else if (arg == "--shots" && hasValue) {
      options.shotsDir = args[++i];
    } else if (!arg.empty() && arg[0] != '-' && sizes.size() < 2) {
      std::optional<int> size = ParseInt(arg, 1, drive::kMaxSide);
      if (!size) {
        *error = "screen size '" + arg + "' is not a number from 1 to " + std::to_string(drive::kMaxSide);
        return std::nullopt;
      }
      sizes.push_back(*size);
    } else {
      *error = "unexpected argument '" + arg + "'";
      return std::nullopt;
    }
  }
  if (sizes.size() == 1) {
    *error = "give both a width and a height";
    return std::nullopt;
  }
  if (sizes.size() == 2) {
    options.width = sizes[0];
    options.height = sizes[1];
  }
  return options;
}

int DefaultScale(int width, int height) {
  return std::clamp(std::min(640 / width, 480 / height), 1, kMaxScale);
}

}  // namespace lcd
