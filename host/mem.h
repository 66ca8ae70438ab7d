#pragma once
// The MEM VCT: a memory pool whose capacity comes from ..\Sim.ini, with a
// table of every live block so that bad frees and leaks are reported; and
// the Device API's byte and string calls.

#include <cstdint>

// Settings read from section "MEM" of ..\Sim.ini. Only memstack, the pool's
// capacity, drives anything.
struct MemSettings {
  uint32_t global;
  uint32_t local;
  uint32_t runstack;
  uint32_t memstack;
};

// Most blocks live at one time.
inline constexpr int32_t kMaxLiveBlocks = 32768;

// Reads the settings and makes the block table; 1, or 0 when the table
// cannot be allocated.
int MemVctInit();
// Frees the table; 0 after showing "MEM VCT has res leak!" when blocks are
// still live (they are left to the end of the process), else 1.
int MemVctRelease();
// The settings read by the last MemVctInit.
const MemSettings& MemVctSettings();
// Number of live blocks and their total size.
int32_t MemLiveBlocks();
uint32_t MemAllocatedBytes();

// A block of `size` bytes (contents undefined), or null when the table is
// full, the pool would reach its capacity or the heap is exhausted.
void* MemAlloc(uint32_t size);
// Releases a block from MemAlloc; anything else shows
// "MEM VCT release memory error!" and releases nothing.
void MemFree(void* address);

// Copies n bytes from the first to the last; returns dst.
void* MemCopy(void* dst, const void* src, uint32_t n);
// Sets n bytes to the low byte of value; returns dst.
void* MemFill(void* dst, int32_t value, uint32_t n);

char* StrCpy(char* dst, const char* src);
char* StrCat(char* dst, const char* src);
uint32_t StrLen(const char* s);
// Compares as unsigned bytes: exactly -1, 0 or 1.
int32_t StrCmp(const char* a, const char* b);
// Writes value in base radix (2 to 36, lower-case digits): signed in base
// 10, the 32-bit pattern unsigned in the others. Another radix writes "".
char* IntToStr(int32_t value, char* buffer, int32_t radix);
