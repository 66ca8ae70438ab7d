#pragma once
// Level-table rows added or subtracted field by field: what a member has
// beyond its level's row, and that added to a new row.
//
// Draws: none.

struct LevelRow;

// With '+': maxHp, maxMp, attack, defence = a + b (16 bits), hp = the new
// maxHp, mp = the new maxMp, agility, spirit, luck = a + b (8 bits); the
// other fields of out stay. With '-': maxHp, hp, maxMp, mp, attack,
// defence = a - b, exp = a's, nextExp = b's, agility, spirit, luck = a - b.
void CombineLevelRows(const LevelRow& a, const LevelRow& b, LevelRow* out, char sign);
