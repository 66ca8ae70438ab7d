#pragma once
// The attribute codes of the stat commands: which field of a member's
// CharStats or Equipment each code names, for comparing (IfStat), setting
// (SetStat) and adding to (AddStat). Byte fields take the low byte of a
// value, u16 fields the whole value.

#include <cstdint>

struct PartySlot;

enum class StatUse : uint8_t { kCompare, kSet, kAdd };

// A field of a member's record.
class StatField {
 public:
  StatField(uint8_t* at, bool wide) : at_(at), wide_(wide) {}
  uint16_t Get() const;
  // Stores the value cut to the field's width.
  void Set(uint32_t value) const;
  // The value as the field takes it: its low byte, or its low 16 bits.
  uint16_t Cut(uint32_t value) const { return wide_ ? uint16_t(value) : uint8_t(value); }

 private:
  uint8_t* at_;
  bool wide_;
};

// The field `code` names for `use`, or false when the code is outside the
// command's column.
bool FindStatField(PartySlot& member, StatUse use, uint8_t code, StatField* out);
