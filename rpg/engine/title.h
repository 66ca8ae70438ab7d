#pragma once
// The title: the title picture and its menu of animated items (5, 1, 250 +
// item), which the player moves through with Up and Down and chooses with
// Enter; Esc leaves the game.

// Runs the title until a new game starts (item 0) or runStatus is set. Item
// 1 (load) comes back to the menu until saved games exist; items 2 ... 5 run
// the extras scripts (0, item - 1).
void TitleLoop();
// The chosen item, or 255 when the game is to end.
int TitleMenu();
// The highest item index the library has (items count from 250 with no
// gaps, at most six), or -1 with none.
int CountTitleItems();
