#pragma once
// Releasing a heap block the game took with MemAlloc.

// MemFree(block); always reports success (1), as on the device.
int FreeBlock(void* block);
