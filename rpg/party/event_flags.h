#pragma once
// The 2400 event flags of eventFlags: flag n is bit n mod 8 of byte n / 8.
// Flag numbers are 16 bits wide; those of 2400 and above name no flag: they
// are never set, and setting or clearing them changes nothing.

#include <cstdint>

void SetEventFlag(uint16_t flag);
void ClearEventFlag(uint16_t flag);
bool TestEventFlag(uint16_t flag);
