#pragma once
// One page of a member's attributes in (37,0)-(158,95): page parity 0 the
// level, hit and magic points, attack and defence; 1 the experience,
// agility, spirit, luck and immunities.

struct CharStats;

void StatusPage(const CharStats& stats, int page);
