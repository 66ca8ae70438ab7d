#include "host/replay/replay_script.h"

#include <charconv>
#include <fstream>
#include <set>

#include "codec/utf8.h"

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

// A whole word of decimal digits from `low` to `high`.
bool ParseNumber(std::string_view word, int64_t low, int64_t high, int64_t* out) {
  int64_t value = 0;
  auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || failure != std::errc() || end != word.data() + word.size()) return false;
  if (value < low || value > high) return false;
  *out = value;
  return true;
}

}  // namespace

std::string StepPlace(const Step& step) {
  return "line " + std::to_string(step.line) + " (" + std::to_string(step.atMs) + " ms): ";
}

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

namespace {

class Parser {
 public:
  Parser(const std::string& name, std::vector<Step>* steps, codec::Diagnostics* diag)
      : name_(name), steps_(steps), diag_(diag) {}

  bool Line(int number, std::string_view text) {
    number_ = number;
    line_ = text;
    text = Trim(text);
    if (text.empty() || text[0] == '#') return true;
    // Built in place; a failed line fails the whole script.
    Step& step = steps_->emplace_back();
    step.line = number;
    const std::string_view time = TakeWord(&text);
    if (!ParseNumber(time, 0, kMaxTimeMs, &step.atMs)) {
      return Fail(time, "'" + std::string(time) + "' is not a time in milliseconds (0 to " +
                            std::to_string(kMaxTimeMs) + ")");
    }
    if (step.atMs < lastMs_) {
      return Fail(time, "time " + std::to_string(step.atMs) + " comes before the line above (" +
                            std::to_string(lastMs_) + ")");
    }
    const std::string_view command = TakeWord(&text);
    if (command.empty()) return Fail(time, "a time without a command");
    if (!Command(command, text, &step)) return false;
    lastMs_ = step.atMs;
    return true;
  }

 private:
  bool Command(std::string_view command, std::string_view rest, Step* step) {
    if (command == "frame") return Frame(rest, step);
    if (command == "frame-update") return UpdateFrame(rest, step);
    if (!drive::IsInputCommand(command)) return Fail(command, "unknown command '" + std::string(command) + "'");
    // The text to type is the rest of the line, blanks and all.
    if (command == "type" && rest.empty()) return Fail(command, "type takes a text");
    const std::vector<std::string> args =
        command == "type" ? std::vector<std::string>{std::string(rest)} : Words(rest);
    std::string why;
    if (drive::InputCommandMessages(command, args, &step->input, &why)) return true;
    return Fail(command, why);
  }

  bool Frame(std::string_view rest, Step* step) {
    const std::vector<std::string> args = Words(rest);
    if (args.size() != 1 || !GoodFrameName(args[0])) {
      return Fail(rest, "frame takes one plain file name ending in .png");
    }
    return FrameName(rest, args[0], step);
  }

  bool UpdateFrame(std::string_view rest, Step* step) {
    const std::vector<std::string> args = Words(rest);
    int64_t updates = 0;
    if (args.size() != 2 || !ParseNumber(args[0], 1, kMaxUpdates, &updates) ||
        !GoodFrameName(args[1])) {
      return Fail(rest, "frame-update takes a count of screen updates (1 to " +
                            std::to_string(kMaxUpdates) +
                            ") and one plain file name ending in .png");
    }
    step->updates = int(updates);
    return FrameName(rest, args[1], step);
  }

  bool FrameName(std::string_view rest, const std::string& name, Step* step) {
    if (!frameNames_.insert(name).second) return Fail(rest, "frame " + name + " is named twice");
    step->frame = name;
    return true;
  }

  // Reports at the column where `at`, a piece of the current line, starts.
  bool Fail(std::string_view at, std::string why) {
    const std::size_t offset = at.empty() ? line_.size() : std::size_t(at.data() - line_.data());
    const int col = 1 + static_cast<int>(codec::CountUtf8Chars(line_, offset));
    diag_->Error({name_, number_, col}, std::move(why));
    return false;
  }

  const std::string& name_;
  std::vector<Step>* steps_;
  codec::Diagnostics* diag_;
  std::string_view line_;
  int number_ = 0;
  std::set<std::string> frameNames_;
  int64_t lastMs_ = 0;
};

}  // namespace

bool ParseScript(std::string_view text, const std::string& name, std::vector<Step>* steps,
                 codec::Diagnostics* diag) {
  std::vector<Step> parsed;
  Parser parser(name, &parsed, diag);
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = std::min(text.find('\n'), text.size());
    if (!parser.Line(number, text.substr(0, end))) return false;
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  *steps = std::move(parsed);
  return true;
}

bool LoadScript(const std::string& path, std::vector<Step>* steps, codec::Diagnostics* diag) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    diag->Error({path, 0, 0}, "cannot open the file");
    return false;
  }
  std::string text;
  text.resize(kMaxScriptBytes + 1);
  file.read(text.data(), std::streamsize(text.size()));
  if (file.bad()) {
    diag->Error({path, 0, 0}, "cannot read the file");
    return false;
  }
  text.resize(std::size_t(file.gcount()));
  if (text.size() > kMaxScriptBytes) {
    diag->Error({path, 0, 0}, "larger than " + std::to_string(kMaxScriptBytes) + " bytes");
    return false;
  }
  return ParseScript(text, path, steps, diag);
}

}  // namespace replay
