#pragma once
// The limits of an attribute block.

struct CharStats;

// Keeps a block inside its limits. A member's (isMember not 0): maxHp, hp,
// maxMp, mp, attack, defence at most 999, hp at most maxHp, mp at most maxMp,
// agility, spirit, luck at most 99. An enemy's stats block, read through the
// same layout (its agility, spirit, magicRate and luck stand at bytes 1 ... 4):
// those four at most 99, hp at most maxHp, mp at most maxMp, attack and
// defence at most 999.
void ClampStats(CharStats* stats, int isMember);
