#include "viewer/viewer_settings.h"

#include <ini.h>
#include <strings.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "viewer/viewer_options.h"

namespace lcd {

namespace {

// A window position is kept within this many pixels of the origin.
constexpr int kMaxPosition = 1 << 16;

std::optional<int> ParseInt(const char* text, int low, int high) {
  int value = 0;
  const char* end = text + std::strlen(text);
  auto [stop, code] = std::from_chars(text, end, value);
  if (code != std::errc() || stop != end || value < low || value > high) return std::nullopt;
  return value;
}

struct ParseState {
  ViewerSettings settings;
  std::string problem;  // the first bad value
};

bool Is(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

// Takes one key; false (and the reason kept) for a value out of range or an
// unknown key, which inih reports as an error on that line.
bool TakeWindowKey(ParseState& state, const char* name, const char* value) {
  ViewerSettings& s = state.settings;
  std::optional<int> number;
  if (Is(name, "scale") && (number = ParseInt(value, 0, kMaxScale))) {
    s.scale = *number;
  } else if (Is(name, "x") && (number = ParseInt(value, -kMaxPosition, kMaxPosition))) {
    s.x = *number;
  } else if (Is(name, "y") && (number = ParseInt(value, -kMaxPosition, kMaxPosition))) {
    s.y = *number;
  } else if (Is(name, "fullscreen") && (number = ParseInt(value, 0, 1))) {
    s.fullscreen = *number == 1;
  } else {
    return false;
  }
  return true;
}

int TakeKey(void* user, const char* section, const char* name, const char* value) {
  auto& state = *static_cast<ParseState*>(user);
  bool taken = false;
  if (Is(section, "window")) {
    taken = TakeWindowKey(state, name, value);
  } else if (Is(section, "screenshots") && Is(name, "folder")) {
    state.settings.shotsDir = value;
    taken = true;
  } else if (Is(section, "gamepad") && IsGamepadEntry(name, value)) {
    state.settings.gamepad.emplace_back(name, value);
    taken = true;
  }
  if (!taken && state.problem.empty()) {
    state.problem = std::string("[") + section + "] " + name + " = " + value;
  }
  return taken ? 1 : 0;
}

}  // namespace

std::string SettingsPath(const std::string& configHome, const std::string& home) {
  // An XDG folder must be absolute; a relative one is ignored.
  if (!configHome.empty() && configHome[0] == '/') return configHome + "/tovsim/viewer.ini";
  if (!home.empty()) return home + "/.config/tovsim/viewer.ini";
  return {};
}

ViewerSettings LoadViewerSettings(const std::string& path, std::string* warning) {
  std::error_code code;
  if (path.empty() || !std::filesystem::exists(path, code)) return {};
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (!(in && text << in.rdbuf())) {
    *warning = path + ": cannot be read; using the default settings";
    return {};
  }
  ParseState state;
  const int line = ini_parse_string(text.str().c_str(), TakeKey, &state);
  if (line == 0) return state.settings;
  *warning = path + ": line " + std::to_string(line) + " is not understood" +
             (state.problem.empty() ? "" : " (" + state.problem + ")") +
             "; using the default settings";
  return {};
}

std::string FormatViewerSettings(const ViewerSettings& settings) {
  std::string text = "# The LCD viewer's settings, written when it closes.\n[window]\n";
  text += "scale = " + std::to_string(settings.scale) + "\n";
  if (settings.x) text += "x = " + std::to_string(*settings.x) + "\n";
  if (settings.y) text += "y = " + std::to_string(*settings.y) + "\n";
  text += std::string("fullscreen = ") + (settings.fullscreen ? "1" : "0") + "\n";
  text += "[screenshots]\nfolder = " + settings.shotsDir + "\n";
  text += "[gamepad]\n";
  for (const auto& [button, key] : settings.gamepad) text += button + " = " + key + "\n";
  return text;
}

bool SaveViewerSettings(const std::string& path, const ViewerSettings& settings,
                        std::string* error) {
  namespace fs = std::filesystem;
  std::error_code code;
  fs::create_directories(fs::path(path).parent_path(), code);
  if (code) {
    *error = "cannot make the folder of " + path + ": " + code.message();
    return false;
  }
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << FormatViewerSettings(settings);
    out.flush();
    if (!out) {
      *error = "cannot write " + temporary;
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    *error = "cannot replace " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

ViewerSettings ApplyOptions(const ViewerSettings& settings, const ViewerOptions& options) {
  ViewerSettings run = settings;
  if (options.scale != 0) run.scale = options.scale;
  if (!options.shotsDir.empty()) run.shotsDir = options.shotsDir;
  return run;
}

}  // namespace lcd
