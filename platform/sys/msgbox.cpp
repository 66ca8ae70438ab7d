#include "platform/sys/msgbox.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>

#include "platform/sys/gb2312.h"
#include "platform/sys/msgbox_buttons.h"
#include "platform/sys/process.h"

extern char** environ;

namespace plat {
namespace {

constexpr char kDefaultCaption[] = "Error";
// The message-box program of the run tree, from the running program's folder.
constexpr char kBoxProgramFromProgram[] = "../Lcd/msgbox";

// Until a program says otherwise (see program_env.h), nothing pops up.
std::atomic<bool> headless{true};

std::mutex stateMutex;
std::vector<RecordedMessageBox> recorded;
std::string boxProgram;  // empty: kBoxProgramFromProgram

std::string BoxProgram() {
  {
    std::lock_guard<std::mutex> lock(stateMutex);
    if (!boxProgram.empty()) return boxProgram;
  }
  char program[4096];
  unsigned length = GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return {};
  std::string path(program, length);
  path.erase(path.find_last_of('/') + 1);
  return path + kBoxProgramFromProgram;
}

void PrintHeadless(const std::string& caption, const std::string& text) {
  std::string line = Gb2312ToUtf8(caption) + ": " + Gb2312ToUtf8(text) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

// Runs the message-box program and waits for it; false when it is missing
// or showed no box (its exit status is not a button of the set).
bool ShowModal(const std::string& caption, const std::string& text, unsigned type, int* pressed) {
  std::string program = BoxProgram();
  if (program.empty() || access(program.c_str(), X_OK) != 0) return false;
  std::string typeText = std::to_string(type);
  std::string utf8Caption = Gb2312ToUtf8(caption);
  std::string utf8Text = Gb2312ToUtf8(text);
  char* argv[] = {program.data(), typeText.data(), utf8Caption.data(), utf8Text.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  if (!WIFEXITED(status) || !HasButton(ButtonsOf(type), WEXITSTATUS(status))) return false;
  *pressed = WEXITSTATUS(status);
  return true;
}

}  // namespace

void SetHeadless(bool on) { headless.store(on); }

bool IsHeadless() { return headless.load(); }

void SetMessageBoxProgram(const std::string& path) {
  std::lock_guard<std::mutex> lock(stateMutex);
  boxProgram = path;
}

int MessageBoxA(void* /*owner*/, const char* text, const char* caption, unsigned type) {
  std::string body = text ? text : "";
  std::string title = caption ? caption : kDefaultCaption;
  {
    std::lock_guard<std::mutex> lock(stateMutex);
    recorded.push_back({body, title, type});
  }
  int pressed = 0;
  if (!IsHeadless() && ShowModal(title, body, type, &pressed)) return pressed;
  // Headless, or no box could be shown: the text must not be lost.
  PrintHeadless(title, body);
  return DefaultButton(ButtonsOf(type), type);
}

std::vector<RecordedMessageBox> RecordedMessageBoxes() {
  std::lock_guard<std::mutex> lock(stateMutex);
  return recorded;
}

void ClearRecordedMessageBoxes() {
  std::lock_guard<std::mutex> lock(stateMutex);
  recorded.clear();
}

}  // namespace plat
