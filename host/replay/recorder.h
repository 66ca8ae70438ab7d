#pragma once
// Records a run as a replay file (tovsim --record FILE). The host runs as
// usual, with its viewer, on a virtual clock that a recorder thread outside
// the clock paces after real time: every few milliseconds it lets virtual
// time run up to the real time elapsed (timers fire at their exact virtual
// times) and waits until the application is idle there. The host window's
// input is handed to the recorder (host/input_tap.h), which delivers it to
// the ring only at such a held, idle moment T, writes "T COMMAND" and waits
// until the application is idle again — exactly what a replay of the line
// does, so the replay repeats the run. Marks become "T frame NAME.png" and,
// with a frames folder, the screen saved as NAME.png at that moment.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "platform/sys/program_env.h"

namespace replay {

// Sets a recording's settings into `env`: the virtual clock, held at 0
// until the recorder moves it.
void PrepareRecording(plat::ProgramEnv* env);

class Recorder {
 public:
  // `framesFolder` exists, or is empty for no frames.
  Recorder(std::string path, std::string framesFolder);
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Creates the file and sets the host's input tap; false with `error` set
  // when the file cannot be written.
  bool Open(std::string* error);
  // Starts the recorder thread; call once the host window exists.
  void Start();
  // Stops the thread after the host has stopped and closes the file. True
  // when every line and frame was written; else false with the reason.
  bool Finish(std::string* error);

  // The tap, on the host window's thread: queue the input or the mark.
  void Input(uint32_t message, uint32_t wParam, uint32_t lParam);
  bool Mark(const std::string& name);

  // How often virtual time is brought up to real time, in real milliseconds.
  static constexpr int kPaceMs = 10;

 private:
  struct Pending {
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
    std::string mark;  // a mark's name instead of an input, when not empty
  };
  void Run();
  bool Pace();
  bool Deliver(const Pending& item);
  bool WriteLine(const std::string& line);
  void Fail(const std::string& why);

  const std::string path_;
  const std::string framesFolder_;
  std::ofstream out_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Pending> pending_;
  std::set<std::string> names_;  // mark names taken (window thread)
  int nextMark_ = 1;
  bool stopping_ = false;
  bool failed_ = false;
  std::string error_;
  int64_t startRealMs_ = 0;
};

}  // namespace replay
