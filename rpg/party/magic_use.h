#pragma once
// Casting magic outside battle, from the system menu: only magics of the
// healing class work here, and the caster pays their cost once a cast is
// made.

#include <cstdint>

struct MagicEntry;

// The magic list of party slot `slot` until Esc: "此处无法使用！" for a
// magic of another class, "真气不足！" when the caster's mp is below its
// cost; a cast costs its mp once, whatever the number of targets.
void CastMagicMenu(uint8_t slot);

// The target of `entry`: the members' status pages beside the magic's name,
// Left and Right going round them. Enter casts on the one shown (on every
// member, in slot order, for a magic whose target byte has bit 7) and gives
// 0; Esc, a missing record or an empty party gives 255.
uint8_t CastMagicOn(const MagicEntry& entry);
