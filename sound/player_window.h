#pragma once
// The player's window ("SndClass", "TovSnd"): takes the host's sound
// commands and the tools' questions, and ends the program on WM_CLOSE.

#include <atomic>
#include <string>

#include "platform/win/types.h"
#include "sound/sound_board.h"

namespace snd {

class MixerOutput;

// Where kSndWriteState writes the channels' state: "snd-state" in the
// instance folder, the text of SoundBoard::Describe.
std::string SndStateFile();

// The window drives `board`; `mixer`, when given, also gets its finished
// sounds collected. Its procedure finds the object through the window's user
// data (platform/win/object_window.h).
class PlayerWindow {
 public:
  PlayerWindow() = default;
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;

  // Registers the class (once per process) and creates the window on the
  // calling thread; false when it cannot be made.
  bool Create(SoundBoard& board, MixerOutput* mixer);

  // Runs the calling thread's message loop until WM_CLOSE, then destroys the
  // window.
  void Run();

  // The mixer's finish hook: hands the channel (-1: music) to the window's
  // thread. Safe on any thread; ignored before Create.
  void PostFinished(int channel);

  // The window procedure's work, on the window's thread.
  plat::LRESULT Handle(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                       plat::LPARAM lParam);

 private:
  plat::LRESULT TakeCommand(const plat::COPYDATASTRUCT& data);
  plat::LRESULT AnswerChannel(plat::WPARAM channel) const;
  bool WriteState() const;
  void NoteFinished(plat::WPARAM channel);

  SoundBoard* board_ = nullptr;
  MixerOutput* mixer_ = nullptr;
  std::atomic<plat::HWND> window_{nullptr};
};

}  // namespace snd
