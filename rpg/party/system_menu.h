#pragma once
// The system menu the map opens on Esc: the party's attributes and
// equipment, magic, items, and loading, saving, music and quitting.

// Runs the menu until Esc, or until an action closes it: a load, a save (or
// its refusal), a key item or an event chosen among the items, or runStatus
// set (as "结束游戏" does, with 253). Between actions the map frame is
// presented again. A key item leaves its id in menuScript.
void SystemMenu();
