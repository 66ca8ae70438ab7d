#pragma once
// The blocks received in a network game, numbered from 1 in each game and
// held until read: at most kNetMaxUnread unread ones, the oldest unread
// dropped beyond that. Each arrival posts MsgNetData with its number;
// GetMsg notes the number of the last one it hands out, and a read gives
// that block. One lock, shared by the network threads and the reader; a
// block is queued and its Message posted under it, so numbers and Messages
// keep one order.

#include <cstdint>
#include <span>

// A new network game: nothing held, numbers from 1 again.
void NetBlocksReset();
// A network thread hands a block on (at most kNetMaxBlock bytes).
void NetBlocksArrived(std::span<const uint8_t> block);
// GetMsg handed out a MsgNetData with this number.
void NetBlocksNoteTaken(uint32_t number);
// NetGetDataSized's work.
int NetBlocksRead(uint8_t* buffer, uint32_t capacity, uint32_t* size);
// Drops every block held.
void NetBlocksDrop();
// Runs `clearRing` (ClearMsgQueue's work) under the blocks' lock and drops
// the unread blocks whose Messages it took with it.
void NetBlocksClearWithRing(void (*clearRing)());
// Unread blocks held (for tests and diagnostics).
int NetBlocksUnread();
