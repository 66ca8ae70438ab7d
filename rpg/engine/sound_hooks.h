#pragma once
// The game's music and sound hooks. On the device they drive its sound; the
// simulator has nothing for them to do, so each call is only noted, in one
// place, where tests can see which hooks ran and in what order.

#include <cstdint>
#include <span>

enum class SoundHook : uint8_t {
  kPlayMusic,
  kStopMusic,
  kStopAllSounds,    // the first hook called when the game releases its resources
  kCloseSoundDevice, // the second
};

struct SoundHookCall {
  SoundHook hook;
  uint8_t track;  // PlayMusic's track, else 0
};

void PlayMusic(uint8_t track);
void StopMusic();
void StopAllSounds();
void CloseSoundDevice();

// Plays the current track again after a menu: nothing while runStatus is
// set; when sound is on, a track and loops are set and the replay flag is
// clear, sets the flag, counts a loop off (255 is endless) and plays.
void ReplayMusic();

// The calls noted since the last ClearSoundHookCalls (the latest 64).
std::span<const SoundHookCall> SoundHookCalls();
void ClearSoundHookCalls();
