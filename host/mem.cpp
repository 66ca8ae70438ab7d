#include "host/mem.h"

#include <cstdlib>

#include "host/host_reset.h"
#include "platform/sys/ini.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr char kIniPath[] = "..\\Sim.ini";

MemSettings settings{};
uint32_t allocated = 0;
int32_t liveCount = 0;
// Entries 0 .. liveCount - 1 are live, in no particular order.
void** blockAddresses = nullptr;
uint32_t* blockSizes = nullptr;

uint32_t ReadSetting(const char* key, int defaultValue) {
  return plat::GetPrivateProfileIntA("MEM", key, defaultValue, kIniPath);
}

void ShowError(const char* text) { plat::MessageBoxA(nullptr, text, nullptr, plat::MB_OK); }

int32_t FindBlock(const void* address) {
  for (int32_t i = 0; i < liveCount; ++i) {
    if (blockAddresses[i] == address) return i;
  }
  return -1;
}

}  // namespace

int MemVctInit() {
  settings.global = ReadSetting("global", 1048576);
  settings.local = ReadSetting("local", 0);
  settings.runstack = ReadSetting("runstack", 0);
  settings.memstack = ReadSetting("memstack", 67108864);
  allocated = 0;
  liveCount = 0;
  blockAddresses = static_cast<void**>(std::malloc(kMaxLiveBlocks * sizeof(void*)));
  blockSizes = static_cast<uint32_t*>(std::malloc(kMaxLiveBlocks * sizeof(uint32_t)));
  return blockAddresses && blockSizes ? 1 : 0;
}

int MemVctRelease() {
  std::free(blockAddresses);
  std::free(blockSizes);
  blockAddresses = nullptr;
  blockSizes = nullptr;
  if (liveCount != 0) {
    ShowError("MEM VCT has res leak!");
    return 0;
  }
  return 1;
}

const MemSettings& MemVctSettings() { return settings; }
int32_t MemLiveBlocks() { return liveCount; }
uint32_t MemAllocatedBytes() { return allocated; }

void* MemAlloc(uint32_t size) {
  if (!blockAddresses || !blockSizes || liveCount >= kMaxLiveBlocks) return nullptr;
  // Summed in 64 bits: a huge request must not wrap around below the capacity.
  if (uint64_t(allocated) + size >= settings.memstack) return nullptr;
  void* block = std::malloc(size);
  if (!block) return nullptr;
  blockAddresses[liveCount] = block;
  blockSizes[liveCount] = size;
  ++liveCount;
  allocated += size;
  return block;
}

void MemFree(void* address) {
  const int32_t slot = blockAddresses ? FindBlock(address) : -1;
  if (slot < 0) {
    ShowError("MEM VCT release memory error!");
    return;
  }
  std::free(address);
  allocated -= blockSizes[slot];
  --liveCount;
  blockAddresses[slot] = blockAddresses[liveCount];
  blockSizes[slot] = blockSizes[liveCount];
}

// Blocks still live go as they would at the end of the process.
static const bool resetRegistered = RegisterHostReset([] {
  for (int32_t i = 0; blockAddresses && i < liveCount; ++i) std::free(blockAddresses[i]);
  std::free(blockAddresses);
  std::free(blockSizes);
  blockAddresses = nullptr;
  blockSizes = nullptr;
  settings = MemSettings{};
  allocated = 0;
  liveCount = 0;
});
