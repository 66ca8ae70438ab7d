#pragma once
// The member an item use or a cast is aimed at, in the left column: the
// member's picture over its status page, with the keys that turn the page
// and step through the members.

#include <cstdint>
#include <vector>

class MemberView {
 public:
  // The members in slot order; `clearFromX` is where the picture's area
  // starts being cleared, `clearToY` where it ends.
  MemberView(int clearFromX, int clearToY);

  bool empty() const { return slots_.empty(); }
  const std::vector<uint8_t>& slots() const { return slots_; }
  // The shown member's party slot.
  uint8_t slot() const { return slots_[member_]; }

  void Draw() const;
  // PageUp and PageDown turn the page, Left and Right step to the previous
  // and next member (round the ends with `wrap`, and with two or more
  // members only); then the member is drawn again. False for other keys.
  bool Step(uint8_t key, bool wrap);

 private:
  std::vector<uint8_t> slots_;
  int clearFromX_, clearToY_;
  int member_ = 0, page_ = 0;
};
