#include "host/replay/recorder.h"

// The real time pacing the clock is std::chrono's, from <condition_variable>:
// <chrono> itself does not build for the GB2312 execution character set.

#include "drive/input_format.h"
#include "host/host_main.h"
#include "host/input_tap.h"
#include "host/replay/frame_file.h"
#include "host/replay/replay_script.h"
#include "platform/sys/clock.h"
#include "platform/win/win.h"

namespace replay {

namespace {

// Real time allowed for the application to settle; as for a replay.
constexpr int64_t kSettleTimeoutMs = 60000;

int64_t RealMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A mark's name: what a replay's frame line takes, without blanks (the line
// is split at them).
bool GoodMarkName(const std::string& name) {
  if (name.find_first_of(" \t") != std::string::npos) return false;
  return GoodFrameName(name + ".png");
}

}  // namespace

void PrepareRecording(plat::ProgramEnv* env) {
  env->virtualClock = true;
  env->clockHold = true;
}

Recorder::Recorder(std::string path, std::string framesFolder)
    : path_(std::move(path)), framesFolder_(std::move(framesFolder)) {}

Recorder::~Recorder() {
  SetInputTap({});
  if (thread_.joinable()) {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }
}

bool Recorder::Open(std::string* error) {
  out_.open(path_, std::ios::binary | std::ios::trunc);
  out_ << "# Recorded by tovsim --record; replay it with tovsim --replay FILE --frames DIR.\n";
  out_.flush();
  if (!out_) {
    *error = "cannot write " + path_;
    return false;
  }
  SetInputTap({[this](uint32_t m, uint32_t w, uint32_t l) { Input(m, w, l); },
               [this](const std::string& name) { return Mark(name); }});
  return true;
}

void Recorder::Start() {
  startRealMs_ = RealMs();
  thread_ = std::thread([this] { Run(); });
}

bool Recorder::Finish(std::string* error) {
  SetInputTap({});
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
  out_.close();
  if (!failed_ && !out_) Fail("cannot finish " + path_);
  if (failed_) *error = error_;
  return !failed_;
}

void Recorder::Input(uint32_t message, uint32_t wParam, uint32_t lParam) {
  {
    std::lock_guard lock(mutex_);
    pending_.push_back({message, wParam, lParam, {}});
  }
  wake_.notify_one();
}

bool Recorder::Mark(const std::string& asked) {
  std::string name = asked;
  while (name.empty() || (asked.empty() && names_.count(name))) {
    name = "mark-" + std::to_string(nextMark_++);
  }
  if (!GoodMarkName(name) || !names_.insert(name).second) return false;
  {
    std::lock_guard lock(mutex_);
    pending_.push_back({0, 0, 0, name});
  }
  wake_.notify_one();
  return true;
}

// Waits for input, bringing virtual time up to real time every kPaceMs;
// delivers each input at a held, idle moment.
void Recorder::Run() {
  if (!plat::WaitUntilIdleFor(kSettleTimeoutMs)) {
    return Fail("the application did not settle after its start");
  }
  for (;;) {
    std::deque<Pending> taken;
    {
      std::unique_lock lock(mutex_);
      wake_.wait_for(lock, std::chrono::milliseconds(kPaceMs),
                     [this] { return stopping_ || !pending_.empty(); });
      if (stopping_) return;
      taken.swap(pending_);
    }
    // The host's end stops the thread through Finish; the window is looked
    // up only when there is input for it.
    if (!Pace()) return;
    for (const Pending& item : taken) {
      if (!FindHostWindow() || !Deliver(item)) return;
    }
  }
}

bool Recorder::Pace() {
  const int64_t behind = (RealMs() - startRealMs_) - plat::GetTickCount64();
  if (behind <= 0 || plat::AdvanceClock(behind, kSettleTimeoutMs)) return true;
  Fail("the application did not settle in time");
  return false;
}

bool Recorder::Deliver(const Pending& item) {
  const std::string at = std::to_string(plat::GetTickCount64()) + " ";
  if (!item.mark.empty()) {
    const std::string file = item.mark + ".png";
    std::string why;
    if (!framesFolder_.empty() && !SaveScreenFrame(framesFolder_ + "/" + file, &why)) {
      Fail(why);
      return false;
    }
    return WriteLine(at + "frame " + file);
  }
  if (!WriteLine(at + drive::FormatInput({item.message, item.wParam, item.lParam}))) return false;
  QueueInput(item.message, item.wParam, item.lParam);
  if (plat::WaitUntilIdleFor(kSettleTimeoutMs)) return true;
  Fail("the application did not settle after its input");
  return false;
}

bool Recorder::WriteLine(const std::string& line) {
  out_ << line << '\n';
  out_.flush();
  if (out_) return true;
  Fail("cannot write " + path_);
  return false;
}

// A recording that cannot go on ends the run, as a replay does.
void Recorder::Fail(const std::string& why) {
  if (failed_) return;
  failed_ = true;
  error_ = why;
  if (plat::HWND host = FindHostWindow()) plat::PostMessageA(host, plat::WM_CLOSE, 0, 0);
}

}  // namespace replay
