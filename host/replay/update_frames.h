#pragma once
// A replay's frames taken at a screen update rather than at an idle moment:
// the driver arms one (`frame-update N NAME.png`), and the host, on the
// thread that updates the screen, saves the screen right after the N-th
// update from then on. That catches a picture the application shows only
// between two idle moments, exactly and the same in every run.

#include <mutex>
#include <string>
#include <vector>

#include "host/replay/replay_script.h"

namespace replay {

class UpdateFrames {
 public:
  // `framesFolder` exists; frames are written into it.
  explicit UpdateFrames(std::string framesFolder);

  // Driver thread, while the application is idle: counts updates for `step`
  // from now on.
  void Arm(const Step& step);

  // The screen's update hook: counts an update for every armed frame and
  // saves those whose update this is.
  void OnUpdate();

  // False, with `error` set, when a frame could not be written or, with
  // `atEnd`, when an armed frame's update never came.
  bool Check(bool atEnd, std::string* error);

 private:
  struct Armed {
    Step step;
    int seen = 0;
  };

  const std::string framesFolder_;
  std::mutex mutex_;  // the driver arms and checks; the screen's thread counts
  std::vector<Armed> armed_;
  std::string error_;
};

}  // namespace replay
