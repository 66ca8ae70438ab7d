#include "host/replay/replay_driver.h"

#include <unistd.h>

#include "host/host_main.h"
#include "host/lcd.h"
#include "host/replay/frame_file.h"
#include "platform/sys/clock.h"
#include "platform/win/win.h"

namespace replay {

namespace {

// Real time allowed for the application to settle after a step; only an
// application that never waits (or a stuck one) takes that long.
constexpr int64_t kSettleTimeoutMs = 60000;

// The end of the script, or a failure, ends the run as closing the viewer
// would; a host that has ended already is not found.
void CloseHost() {
  if (plat::HWND host = FindHostWindow()) plat::PostMessageA(host, plat::WM_CLOSE, 0, 0);
}

}  // namespace

void PrepareProcess(plat::ProgramEnv* env) {
  env->headless = true;
  env->virtualClock = true;
  env->clockHold = true;
  if (env->instance.empty()) env->instance = "replay-" + std::to_string(getpid());
}

Driver::Driver(std::vector<Step> steps, std::string framesFolder)
    : steps_(std::move(steps)), framesFolder_(std::move(framesFolder)), updateFrames_(framesFolder_) {
  SetScreenUpdateHook([this] { updateFrames_.OnUpdate(); });
}

Driver::~Driver() {
  if (thread_.joinable()) thread_.join();
  SetScreenUpdateHook({});
}

void Driver::Start() {
  started_ = true;
  thread_ = std::thread([this] { ok_ = Run(); });
}

bool Driver::Finish(std::string* error) {
  if (!started_) {
    *error = "the simulator did not start";
    return false;
  }
  thread_.join();
  SetScreenUpdateHook({});
  if (!ok_) *error = error_;
  return ok_;
}

bool Driver::Run() {
  if (!plat::WaitUntilIdleFor(kSettleTimeoutMs)) {
    return Fail(nullptr, "the application did not settle after its start");
  }
  std::string why;
  for (const Step& step : steps_) {
    if (!TakeStep(step)) return false;
    if (!updateFrames_.Check(false, &why)) return Fail(nullptr, why);
  }
  // An armed frame whose update never came fails the run here.
  if (!updateFrames_.Check(true, &why)) return Fail(nullptr, why);
  CloseHost();
  return true;
}

bool Driver::TakeStep(const Step& step) {
  const int64_t now = plat::GetTickCount64();
  if (step.atMs > now && !plat::AdvanceClock(step.atMs - now, kSettleTimeoutMs)) {
    return Fail(&step, "the application did not settle in time");
  }
  plat::HWND host = FindHostWindow();
  if (!host) return Fail(&step, "the application ended before this line");
  if (step.updates > 0) {
    updateFrames_.Arm(step);
    return true;
  }
  if (!step.frame.empty()) return SaveFrame(step);
  for (const drive::InputMessage& m : step.input) {
    if (plat::PostMessageA(host, m.message, plat::WPARAM(m.wParam), plat::LPARAM(m.lParam))) {
      continue;
    }
    // An earlier message of this line may have ended the application (the
    // button-down of a click on its close button): the rest has no one to
    // reach, and a later line reports the end.
    if (!FindHostWindow()) break;
    return Fail(&step, "the host window stopped taking messages");
  }
  if (!plat::WaitUntilIdleFor(kSettleTimeoutMs)) {
    return Fail(&step, "the application did not settle after this input");
  }
  return true;
}

bool Driver::SaveFrame(const Step& step) {
  std::string why;
  if (!SaveScreenFrame(framesFolder_ + "/" + step.frame, &why)) return Fail(&step, why);
  return true;
}

bool Driver::Fail(const Step* step, const std::string& why) {
  error_ = step ? StepPlace(*step) + why : why;
  CloseHost();
  return false;
}

}  // namespace replay
