#include "sound/player_window.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "host/companion_records.h"
#include "platform/sys/instance.h"
#include "platform/win/win.h"
#include "sound/mixer_output.h"
#include "viewer/companion_queries.h"

namespace snd {

namespace {

// Posted by the mixer's hook to our own window: wParam is the channel that
// finished, or all ones for the music stream.
constexpr plat::UINT kSoundFinished = plat::WM_USER + 0x320;

SoundBoard* board = nullptr;
MixerOutput* mixer = nullptr;
plat::HWND window = nullptr;

plat::LRESULT TakeCommand(const plat::COPYDATASTRUCT& data) {
  if (data.dwData != kSoundCopyData || data.cbData != sizeof(SoundRecord) || !data.lpData) {
    std::fprintf(stderr, "Snd: ignored copy-data %zu with %u bytes\n", size_t(data.dwData),
                 unsigned(data.cbData));
    return 0;
  }
  SoundRecord record;
  std::memcpy(&record, data.lpData, sizeof record);
  std::string error;
  if (!board->Apply(record, &error)) {
    std::fprintf(stderr, "Snd: op %d on channel %d refused: %s\n", int(record.op),
                 int(record.channel), error.c_str());
    return 0;
  }
  return 1;
}

plat::LRESULT AnswerChannel(plat::WPARAM channel) {
  if (channel >= plat::WPARAM(kChannelCount)) return -1;
  switch (board->Status(int(channel)).state) {
    case ChannelState::Idle: return kSndChannelIdle;
    case ChannelState::Playing: return kSndChannelPlaying;
    case ChannelState::Paused: return kSndChannelPaused;
  }
  return -1;
}

// Written beside and renamed into place, so a reader never sees half a file.
bool WriteState() {
  const std::string path = SndStateFile();
  if (path.empty()) return false;
  const std::string temporary = path + ".new";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  const std::string text = board->Describe();
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fclose(file) == 0 && written;
  return written && std::rename(temporary.c_str(), path.c_str()) == 0;
}

void NoteFinished(plat::WPARAM channel) {
  if (channel == plat::WPARAM(-1)) {
    board->MusicFinished();
    return;
  }
  board->Finished(int(channel));
  if (mixer) mixer->Collect(int(channel));
}

plat::LRESULT PlayerProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                         plat::LPARAM lParam) {
  switch (message) {
    case plat::WM_COPYDATA:
      return TakeCommand(*reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam));
    case kSndQueryChannel:
      return AnswerChannel(wParam);
    case kSndWriteState:
      return WriteState() ? 1 : 0;
    case kSoundFinished:
      NoteFinished(wParam);
      return 0;
    case plat::WM_CLOSE:
      plat::PostQuitMessage(0);
      return 0;
    default:
      return plat::DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

std::string SndStateFile() {
  const std::string folder = plat::InstanceDir();
  return folder.empty() ? std::string() : folder + "/snd-state";
}

plat::HWND CreatePlayerWindow(SoundBoard& soundBoard, MixerOutput* mixerOutput) {
  board = &soundBoard;
  mixer = mixerOutput;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &PlayerProc;
  windowClass.lpszClassName = kSndClass;
  if (!plat::RegisterClassA(&windowClass)) return nullptr;
  window = plat::CreateWindowA(kSndClass, kSndTitle, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                               nullptr);
  return window;
}

void PostSoundFinished(int channel) {
  if (window) plat::PostMessageA(window, kSoundFinished, plat::WPARAM(channel), 0);
}

}  // namespace snd
