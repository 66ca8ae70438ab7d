#pragma once
// The viewer's command line: "Lcd W H [--scale N] [--shots DIR] [--headless]".
// What it gives wins over the settings file (viewer_settings.h).

#include <optional>
#include <string>
#include <vector>

namespace lcd {

struct ViewerOptions {
  int width = 320;
  int height = 240;
  int scale = 0;  // 0: chosen from the screen size
  std::string shotsDir;  // empty: the settings file's, else the current folder
  bool headless = false;
  bool help = false;
};

// Parses the arguments after the program name; nullopt with `error` set for
// a bad one.
std::optional<ViewerOptions> ParseViewerOptions(const std::vector<std::string>& args,
                                                std::string* error);

// The default scale: the largest whole factor that keeps the window within
// 640 by 480, at least 1.
int DefaultScale(int width, int height);

inline constexpr int kMaxScale = 8;

extern const char kViewerUsage[];

}  // namespace lcd
