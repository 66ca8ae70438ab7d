#pragma once
// The pictures of the number grid's package (Games/numgrid/resource.dat,
// built from content/numgrid): each id is the picture's offset in the
// package, pinned in content/numgrid/resource.yaml.

#include <cstdint>

#include "games/numgrid/numgrid_layout.h"

namespace numgrid {

struct Picture {
  uint32_t id;
  int width;
  int height;
  bool keyed;  // magenta is transparent
};

inline constexpr Picture kBackgroundPicture{264, 240, 320, false};
inline constexpr Picture kDialogPicture{230720, 240, 320, false};
// New, Erase, Level, Exit pressed.
inline constexpr Picture kPressedButtonPictures[kButtonCount] = {{461176, 54, 22, false},
                                                                 {464840, 54, 22, false},
                                                                 {468504, 54, 22, false},
                                                                 {472168, 54, 22, false}};
// Levels 1 to 5 highlighted.
inline constexpr Picture kLevelPictures[kLevelCount] = {{475832, 92, 39, false},
                                                        {486652, 92, 39, false},
                                                        {497472, 92, 39, false},
                                                        {508292, 92, 39, false},
                                                        {519112, 92, 39, false}};
inline constexpr Picture kPressedOkPicture{529932, 58, 28, false};
inline constexpr Picture kPressedCancelPicture{534916, 58, 28, false};
// Digits 1 to 9 (index digit - 1): the palette's and the player's, and the
// given ones.
inline constexpr Picture kPlayerDigitPictures[9] = {
    {539900, 24, 24, true}, {541684, 24, 24, true}, {543468, 24, 24, true},
    {545252, 24, 24, true}, {547036, 24, 24, true}, {548820, 24, 24, true},
    {550604, 24, 24, true}, {552388, 24, 24, true}, {554172, 24, 24, true}};
inline constexpr Picture kGivenDigitPictures[9] = {
    {555956, 24, 24, true}, {557740, 24, 24, true}, {559524, 24, 24, true},
    {561308, 24, 24, true}, {563092, 24, 24, true}, {564876, 24, 24, true},
    {566660, 24, 24, true}, {568444, 24, 24, true}, {570228, 24, 24, true}};

}  // namespace numgrid
