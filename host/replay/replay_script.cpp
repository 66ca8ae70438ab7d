#include "host/replay/replay_script.h"

#include <charconv>
#include <fstream>
#include <set>

namespace replay {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The first word of `text`, taken off its front.
std::string_view TakeWord(std::string_view* text) {
  *text = Trim(*text);
  const std::size_t end = std::min(text->find_first_of(kBlanks), text->size());
  const std::string_view word = text->substr(0, end);
  text->remove_prefix(end);
  *text = Trim(*text);
  return word;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  while (!(text = Trim(text)).empty()) words.emplace_back(TakeWord(&text));
  return words;
}

bool ParseTime(std::string_view word, int64_t* out) {
  int64_t value = 0;
  auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || failure != std::errc() || end != word.data() + word.size()) return false;
  if (value < 0 || value > kMaxTimeMs) return false;
  *out = value;
  return true;
}

// A frame's name: a plain file name ending in .png, so every frame lands in
// the frames folder and nowhere else.
bool GoodFrameName(std::string_view name) {
  constexpr std::string_view kSuffix = ".png";
  if (name.size() <= kSuffix.size() || name.size() > 255) return false;
  if (name.substr(name.size() - kSuffix.size()) != kSuffix) return false;
  if (name[0] == '.') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == '/' || c == '\\' || c == 0x7F) return false;
  }
  return true;
}

class Parser {
 public:
  explicit Parser(std::vector<Step>* steps) : steps_(steps) {}

  bool Line(int number, std::string_view text, std::string* error) {
    text = Trim(text);
    if (text.empty() || text[0] == '#') return true;
    // Built in place; a failed line fails the whole script.
    Step& step = steps_->emplace_back();
    step.line = number;
    const std::string_view time = TakeWord(&text);
    if (!ParseTime(time, &step.atMs)) {
      return Fail(error, "'" + std::string(time) + "' is not a time in milliseconds (0 to " +
                             std::to_string(kMaxTimeMs) + ")");
    }
    if (step.atMs < lastMs_) {
      return Fail(error, "time " + std::to_string(step.atMs) + " comes before the line above (" +
                             std::to_string(lastMs_) + ")");
    }
    const std::string command(TakeWord(&text));
    if (command.empty()) return Fail(error, "a time without a command");
    if (!Command(command, text, &step, error)) return false;
    lastMs_ = step.atMs;
    return true;
  }

 private:
  bool Command(const std::string& command, std::string_view rest, Step* step,
               std::string* error) {
    if (command == "frame") return Frame(rest, step, error);
    if (!drive::IsInputCommand(command)) return Fail(error, "unknown command '" + command + "'");
    // The text to type is the rest of the line, blanks and all.
    if (command == "type" && rest.empty()) return Fail(error, "type takes a text");
    const std::vector<std::string> args =
        command == "type" ? std::vector<std::string>{std::string(rest)} : Words(rest);
    return drive::InputCommandMessages(command, args, &step->input, error);
  }

  bool Frame(std::string_view rest, Step* step, std::string* error) {
    const std::vector<std::string> args = Words(rest);
    if (args.size() != 1 || !GoodFrameName(args[0])) {
      return Fail(error, "frame takes one plain file name ending in .png");
    }
    if (!frameNames_.insert(args[0]).second) {
      return Fail(error, "frame " + args[0] + " is named twice");
    }
    step->frame = args[0];
    return true;
  }

  static bool Fail(std::string* error, std::string why) {
    *error = std::move(why);
    return false;
  }

  std::vector<Step>* steps_;
  std::set<std::string> frameNames_;
  int64_t lastMs_ = 0;
};

}  // namespace

bool ParseScript(std::string_view text, std::vector<Step>* steps, std::string* error) {
  std::vector<Step> parsed;
  Parser parser(&parsed);
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string why;
    if (!parser.Line(number, text.substr(0, end), &why)) {
      *error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  *steps = std::move(parsed);
  return true;
}

bool LoadScript(const std::string& path, std::vector<Step>* steps, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot open " + path;
    return false;
  }
  std::string text;
  text.resize(kMaxScriptBytes + 1);
  file.read(text.data(), std::streamsize(text.size()));
  if (file.bad()) {
    *error = "cannot read " + path;
    return false;
  }
  text.resize(std::size_t(file.gcount()));
  if (text.size() > kMaxScriptBytes) {
    *error = path + " is larger than " + std::to_string(kMaxScriptBytes) + " bytes";
    return false;
  }
  if (!ParseScript(text, steps, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace replay
