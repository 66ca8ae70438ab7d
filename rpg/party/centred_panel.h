#pragma once
// Where an interface picture (11, 2, id2) sits centred on the 160 x 96
// screen: left = (159 - width) / 2, top = (96 - height) / 2. A missing
// picture counts as 0 x 0 (the failed lookup is cleared; drawing it draws
// nothing).

#include <cstdint>

struct CentredPanel {
  int left;
  int top;
  int width;
  int height;
};

CentredPanel CentrePanel(uint8_t id2);
