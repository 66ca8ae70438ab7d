#include "rpg/engine/heap_block.h"

#include "host/mem.h"

int FreeBlock(void* block) {
  MemFree(block);
  return 1;
}
