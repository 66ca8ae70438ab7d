#pragma once
// Putting on equipment from the item menu: the inventory's wearable items
// listed; the one chosen goes to a member allowed to wear it (asked for
// when there are several) at its kind's place, after the comparison. Runs
// until Esc in the list, which keeps its place between choices.

void EquipFromItems();
