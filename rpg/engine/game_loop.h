#pragma once
// The map loop: one message at a time until runStatus is set.

// Timer ticks (and key-downs) move the map characters, count the script's
// countdown down and, walking continuously, the hero; keys walk, examine and
// open the menu; typed characters switch continuous walking (space) and
// show the version screen ("Qzk"). After each a frame is drawn and shown and
// the event it brought runs. Message 273, or a GetMsg that fails, quits.
void GameLoop();

// The version screen for 21 timer ticks.
void ShowBuildInfo();
