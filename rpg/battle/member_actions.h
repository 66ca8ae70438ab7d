#pragma once
// A party member's turn: its order carried out, or, confused, a strike on
// itself.

// Carries out the member's order by kind: attack and siege strike with its
// attack, a joint attack with the party's joint power, magic and joint
// magic are cast, defence does nothing more, flight rolls, items are used
// or thrown; 170 (taken up by a joint attack) and unknown kinds do nothing.
void DoMemberAction(int member);
// A confused member (side kPartySide) or enemy strikes itself.
void ConfusedAct(int side, int slot);
