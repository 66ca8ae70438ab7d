#pragma once
// Runs a replay in the host's own process: the host starts headless on a
// virtual clock held at 0, and a driver thread outside the clock lets time
// run from step to step, posts each step's input to the host window as the
// viewer would, waits until the application is idle again and saves the
// frames the script names, or arms them for a later screen update. After
// the last step it closes the host.

#include <string>
#include <thread>
#include <vector>

#include "host/replay/replay_script.h"
#include "host/replay/update_frames.h"
#include "platform/sys/program_env.h"

namespace replay {

// Sets a replay's settings into `env`, the settings the program read from
// its environment: headless, the virtual clock held at 0 from the start
// (the calendar from TOVSIM_CLOCK_START or the clock's default) and, unless
// the environment names an instance, an instance of its own so that a
// running simulator is not disturbed. The program applies them before any
// other platform call.
void PrepareProcess(plat::ProgramEnv* env);

class Driver {
 public:
  // `framesFolder` exists; frames are written into it.
  Driver(std::vector<Step> steps, std::string framesFolder);
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Starts the driver thread; call once the host window exists.
  void Start();

  // Waits for the driver after the host has stopped. True when every step
  // was taken and every frame written; else false with the reason.
  bool Finish(std::string* error);

 private:
  bool Run();
  bool TakeStep(const Step& step);
  bool SaveFrame(const Step& step);
  bool Fail(const Step* step, const std::string& why);

  std::vector<Step> steps_;
  std::string framesFolder_;
  UpdateFrames updateFrames_;  // the frames armed for a screen update
  std::thread thread_;
  bool started_ = false;
  bool ok_ = false;
  std::string error_;
};

}  // namespace replay
