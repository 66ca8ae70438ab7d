#pragma once
// A point in pixels, shared by the window and drawing interfaces.

#include <cstdint>

namespace plat {

struct POINT {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

}  // namespace plat
