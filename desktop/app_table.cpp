#include "desktop/app_table.h"

#include "rpg/engine/rpg_main.h"

// Zero-initialised past the last listed row, so row 1 ends the table.
const AppRow AppTable[kMaxAppRows] = {
    {20, 0, "..\\AppEntry\\icon1.bmp", "Velmor", RpgMain},
};

int AppRowCount(const AppRow* table) {
  int count = 0;
  while (count < kMaxAppRows && table[count].entry) ++count;
  return count;
}
