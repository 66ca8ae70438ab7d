#pragma once
// The game the save tests play: the "saves" test library with three small
// scripts (3 parks character 2 and opens the save screen), and a start with
// the hero and the companion on the field.

#include "tests/rpg/support/memory_library.h"

namespace rpgtest {

Bytes SavesLibrary();
// The hero and the companion on the field at (5, 5), a villager at (7, 7),
// script (1, 2) loaded; makes ../Save.
void StartPlaying();

}  // namespace rpgtest
