#include "sound/player_window.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/sys/instance.h"
#include "platform/win/object_window.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "protocol/windows.h"
#include "sound/mixer_output.h"

namespace snd {

std::string SndStateFile() {
  const std::string folder = plat::InstanceDir();
  return folder.empty() ? std::string() : folder + "/snd-state";
}

bool PlayerWindow::Create(SoundBoard& board, MixerOutput* mixer) {
  board_ = &board;
  mixer_ = mixer;
  window_ = plat::CreateObjectWindow(kSndClass, kSndTitle, this);
  return window_ != nullptr;
}

void PlayerWindow::Run() { plat::RunWindowUntilQuit(window_); }

void PlayerWindow::PostFinished(int channel) {
  if (plat::HWND window = window_.load()) {
    plat::PostMessageA(window, kSndFinished, plat::WPARAM(channel), 0);
  }
}

plat::LRESULT PlayerWindow::Handle(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                                   plat::LPARAM lParam) {
  switch (message) {
    case plat::WM_COPYDATA:
      return TakeCommand(*reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam));
    case kSndQueryChannel:
      return AnswerChannel(wParam);
    case kSndWriteState:
      return WriteState() ? 1 : 0;
    case kSndFinished:
      NoteFinished(wParam);
      return 0;
    case plat::WM_CLOSE:
      plat::PostQuitMessage(0);
      return 0;
    default:
      return plat::DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

plat::LRESULT PlayerWindow::TakeCommand(const plat::COPYDATASTRUCT& data) {
  if (data.dwData != kSoundCopyData || data.cbData != sizeof(SoundRecord) || !data.lpData) {
    std::fprintf(stderr, "Snd: ignored copy-data %zu with %u bytes\n", size_t(data.dwData),
                 unsigned(data.cbData));
    return 0;
  }
  SoundRecord record;
  std::memcpy(&record, data.lpData, sizeof record);
  std::string error;
  if (!board_->Apply(record, &error)) {
    std::fprintf(stderr, "Snd: op %d on channel %d refused: %s\n", int(record.op),
                 int(record.channel), error.c_str());
    return 0;
  }
  return 1;
}

plat::LRESULT PlayerWindow::AnswerChannel(plat::WPARAM channel) const {
  if (channel >= plat::WPARAM(kChannelCount)) return -1;
  switch (board_->Status(int(channel)).state) {
    case ChannelState::Idle: return kSndChannelIdle;
    case ChannelState::Playing: return kSndChannelPlaying;
    case ChannelState::Paused: return kSndChannelPaused;
  }
  return -1;
}

// Written beside and renamed into place, so a reader never sees half a file.
bool PlayerWindow::WriteState() const {
  const std::string path = SndStateFile();
  if (path.empty()) return false;
  const std::string temporary = path + ".new";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  const std::string text = board_->Describe();
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fclose(file) == 0 && written;
  return written && std::rename(temporary.c_str(), path.c_str()) == 0;
}

void PlayerWindow::NoteFinished(plat::WPARAM channel) {
  if (channel == plat::WPARAM(-1)) {
    board_->MusicFinished();
    return;
  }
  board_->Finished(int(channel));
  if (mixer_) mixer_->Collect(int(channel));
}

}  // namespace snd
