#include "rpg/engine/sound_hooks.h"

#include <algorithm>

#include "rpg/engine/game_state.h"

namespace {

constexpr std::size_t kKept = 64;
SoundHookCall calls[kKept];
std::size_t callCount = 0;

void Note(SoundHook hook, uint8_t track) {
  if (callCount == kKept) {
    std::move(calls + 1, calls + kKept, calls);
    --callCount;
  }
  calls[callCount++] = {hook, track};
}

}  // namespace

void PlayMusic(uint8_t track) { Note(SoundHook::kPlayMusic, track); }
void StopMusic() { Note(SoundHook::kStopMusic, 0); }
void StopAllSounds() { Note(SoundHook::kStopAllSounds, 0); }
void CloseSoundDevice() { Note(SoundHook::kCloseSoundDevice, 0); }

void ReplayMusic() {
  if (game.runStatus) return;
  if (!game.soundOn || !game.musicLoops || !game.musicTrack || game.musicReplayFlag) return;
  game.musicReplayFlag = 1;
  if (game.musicLoops != 255) --game.musicLoops;
  PlayMusic(game.musicTrack);
}

std::span<const SoundHookCall> SoundHookCalls() { return {calls, callCount}; }
void ClearSoundHookCalls() { callCount = 0; }
