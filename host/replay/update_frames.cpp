#include "host/replay/update_frames.h"

#include "host/replay/frame_file.h"

namespace replay {

UpdateFrames::UpdateFrames(std::string framesFolder) : framesFolder_(std::move(framesFolder)) {}

void UpdateFrames::Arm(const Step& step) {
  std::lock_guard lock(mutex_);
  armed_.push_back({step, 0});
}

void UpdateFrames::OnUpdate() {
  std::lock_guard lock(mutex_);
  for (auto a = armed_.begin(); a != armed_.end();) {
    if (++a->seen < a->step.updates) {
      ++a;
      continue;
    }
    std::string why;
    if (!SaveScreenFrame(framesFolder_ + "/" + a->step.frame, &why) && error_.empty()) {
      error_ = StepPlace(a->step) + why;
    }
    a = armed_.erase(a);
  }
}

bool UpdateFrames::Check(bool atEnd, std::string* error) {
  std::lock_guard lock(mutex_);
  if (error_.empty() && atEnd && !armed_.empty()) {
    const Armed& a = armed_.front();
    error_ = StepPlace(a.step) + "screen update " + std::to_string(a.step.updates) + " for " +
             a.step.frame + " never came (" + std::to_string(a.seen) + " by the end of the replay)";
  }
  if (error_.empty()) return true;
  *error = error_;
  return false;
}

}  // namespace replay
