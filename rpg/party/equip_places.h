#pragma once
// The eight places a member wears things at, as the equipment screens show
// them, and the rules for putting an item on: who may wear it, where it
// goes, and the exchange with what was worn there.

#include <cstdint>

struct Equipment;
struct InvEntry;

inline constexpr int kEquipPlaces = 8;

struct EquipPlace {
  uint8_t kind;    // the item kind worn there
  uint8_t slot;    // its byte of Equipment
  uint8_t x, y;    // the 24 x 24 picture frame's corner on the equipment screen
  const char* label;
};

const EquipPlace& PlaceAt(int place);

// The display place an item of `kind` goes to from the item menu: an
// ornament to the second ornament place while that is empty, else the
// first. -1 for a kind nobody wears.
int PlaceForKind(uint8_t kind, const Equipment& worn);

// Whether character `id` may wear an item of that wearer mask: bit n - 1
// for characters 1 ... 8; nobody else wears anything.
bool MayWear(uint8_t wearers, uint8_t id);

// Offers `candidate` (an inventory entry's kind and id) for place `place`
// of the member in party slot `slot`: "已满载！" when what is worn there
// could not go back into the inventory, else the comparison; when it is
// accepted the member wears the candidate, one of it leaves the inventory
// and its flag is set, and the former item comes back with its flag
// cleared. True when the exchange was made.
bool OfferEquipment(uint8_t slot, int place, InvEntry candidate);
