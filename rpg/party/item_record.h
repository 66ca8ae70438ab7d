#pragma once
// An item record of the data library as the menus read it: every field taken
// from within its own bytes, so a name or a description without a zero byte
// ends at its field's end.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct ItemInfo {
  uint8_t kind;
  uint8_t wearers;  // bit n - 1: character n may wear it
  uint8_t weaponPower;  // a hand-held item's strength of its status attack
  uint8_t picture;  // id2 of picture (9, kind, picture)
  std::string name;  // at most 12 bytes, no zero
  uint16_t buyPrice;
  uint16_t sellPrice;
  std::span<const uint8_t> effect;  // the 8-byte effect block
  std::span<const uint8_t> description;  // the 102-byte field
  uint16_t flag;  // event flag number, 0 none
};

// The record (6, kind, id), or nothing with runStatus set when it is missing
// or short (and at once while runStatus is set).
std::optional<ItemInfo> LookUpItem(uint8_t kind, uint8_t id);
