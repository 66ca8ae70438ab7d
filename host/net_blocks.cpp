#include "host/net_blocks.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "host/msg.h"
#include "host/net.h"

namespace {

struct Block {
  uint32_t number;
  std::vector<uint8_t> bytes;
};

std::mutex blocksMutex;
std::deque<Block> blocks;  // in arrival order
uint32_t nextNumber = 1;
uint32_t takenNumber = 0;  // of the last MsgNetData handed out; 0: none

using Lock = std::lock_guard<std::mutex>;

bool Unread(const Block& block) { return block.number > takenNumber; }

int CountUnread() {
  return int(std::count_if(blocks.begin(), blocks.end(), Unread));
}

void DropOldestUnread() {
  auto oldest = std::find_if(blocks.begin(), blocks.end(), Unread);
  if (oldest != blocks.end()) blocks.erase(oldest);
}

}  // namespace

void NetBlocksReset() {
  Lock lock(blocksMutex);
  blocks.clear();
  nextNumber = 1;
  takenNumber = 0;
}

void NetBlocksArrived(std::span<const uint8_t> block) {
  Lock lock(blocksMutex);
  if (CountUnread() >= kNetMaxUnread) DropOldestUnread();
  const uint32_t number = nextNumber++;
  blocks.push_back(Block{number, std::vector<uint8_t>(block.begin(), block.end())});
  PostMsg(MsgNetData, 0, number);
}

void NetBlocksNoteTaken(uint32_t number) {
  Lock lock(blocksMutex);
  takenNumber = number;
}

int NetBlocksRead(uint8_t* buffer, uint32_t capacity, uint32_t* size) {
  if (!buffer) return 0;
  Lock lock(blocksMutex);
  auto taken = std::find_if(blocks.begin(), blocks.end(),
                            [](const Block& b) { return b.number == takenNumber; });
  if (taken == blocks.end()) return 0;
  const uint32_t whole = uint32_t(taken->bytes.size());
  std::memcpy(buffer, taken->bytes.data(), std::min(whole, capacity));
  if (size) *size = whole;
  // Older blocks can never be asked for again: their Messages are gone.
  blocks.erase(blocks.begin(), taken);
  return 1;
}

void NetBlocksDrop() {
  Lock lock(blocksMutex);
  blocks.clear();
}

void NetBlocksClearWithRing(void (*clearRing)()) {
  Lock lock(blocksMutex);
  clearRing();
  std::erase_if(blocks, Unread);
}

int NetBlocksUnread() {
  Lock lock(blocksMutex);
  return CountUnread();
}
