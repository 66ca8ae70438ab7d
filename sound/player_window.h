#pragma once
// The player's window ("SndClass", "TovSnd"): takes the host's sound
// commands and the tools' questions, and ends the program on WM_CLOSE.

#include <string>

#include "platform/win/types.h"
#include "sound/sound_board.h"

namespace snd {

// Where kSndWriteState writes the channels' state: "snd-state" in the
// instance folder, the text of SoundBoard::Describe.
std::string SndStateFile();

// Registers the class and creates the window, which drives `board`;
// `mixer`, when given, also gets its finished sounds collected. Null when
// the window cannot be made.
plat::HWND CreatePlayerWindow(SoundBoard& board, class MixerOutput* mixer);

// The mixer's finish hook: hands the channel (-1: music) to the window's
// thread. Safe on any thread.
void PostSoundFinished(int channel);

}  // namespace snd
