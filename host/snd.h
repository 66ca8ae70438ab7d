#pragma once
// The sound channel: the host plays nothing itself but forwards each command
// to the sound player as one SoundRecord (protocol/records.h).

#include <cstdint>

// op 0 plays the file at `path` on `channel` (0 to 8) `loops` times (-1:
// forever); other ops act on the channel. Out-of-range channels or loops
// below -1 send nothing. No result.
void PlaySoundCmd(int32_t op, int32_t channel, int32_t loops, const char* path);

// Fills and sends the record; 1 when the sound player's window was found.
int SoundSend(int32_t op, int32_t channel, int32_t loops, const char* path);
