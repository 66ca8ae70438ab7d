#pragma once
// The slot screen of saving and loading: the three slots with the party's
// small faces and the map name of each saved game, or "空档案".

#include <cstdint>

inline constexpr uint8_t kSaveScreen = 15;
inline constexpr uint8_t kLoadScreen = 16;
inline constexpr uint8_t kSlotCancelled = 254;

// Slot 0 ... 2 chosen with Enter, or 254 for Esc and for message 273 (which
// also sets runStatus 254). Screen `mode` is kSaveScreen or kLoadScreen, the
// picture (11, 2, mode) centred behind the slots. The game timer is stopped
// meanwhile and restarted at 500 ms on leaving.
uint8_t SlotMenu(uint8_t mode);
