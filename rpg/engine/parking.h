#pragma once
// Members who leave the party and come back: a parked member's record waits
// in a file of its own until the character joins again.

#include <cstdint>

// Command 40: writes the member's record to its parked file (two tries) and
// removes the member from the party. Run error 7 when character `id` is not
// in the party, 16 when both tries fail (the member then stays).
void ParkMember(uint8_t id);

// A character joining: its record from its parked file or else from the
// current save slot's member file, checked as a load checks it, into a free
// party slot with its sheet found again. False when neither holds a sound
// record (the character is then loaded fresh from the library) or when no
// slot is free (runStatus tells).
bool RestoreParkedMember(uint8_t id);
