#pragma once
// The network game service: hosting or joining a two-player game between
// simulators over the local network, sending byte blocks to the other side
// and reading the blocks that arrive (each announced by a MsgNetData
// Message), the host/join dialog and its one-line text input with a caret.
//
// The calls belong to the application thread; the blocks arrive on network
// threads, which share one lock with the reading calls.

#include <cstdint>

// The largest block a send takes and a read gives.
inline constexpr uint32_t kNetMaxBlock = 1024;
// Unread blocks held; beyond that the oldest unread one is dropped.
inline constexpr int kNetMaxUnread = 64;

// What the send calls take: the block's size in bytes, then its address.
struct NetBufferDesc {
  uint32_t size;
  const uint8_t* data;
};

// The port for hosting, joining without a port and searching (TOVSIM_NET_PORT
// at start-up; 41730 by default).
void SetNetPort(uint16_t port);
uint16_t NetPort();

// Hosts a game named `gameName` (its first 127 bytes go to the joiners).
// 1, or 0 with a network game already open or the port not free.
int NetHost(const char* gameName);
// Joins the host named by `hostName`: "" searches the local network and
// takes the newest host that answers; otherwise a dotted IPv4 address or a
// name, optionally with ":port". 1, or 0 with a network game already open,
// when nobody answers, the host refuses or the connection fails.
int NetJoin(const char* hostName);

// Hosting: the block to every connected client (1 also with none). Joined:
// the block to the host (1 when it was written whole). 0 for a null
// descriptor or data, a size of 0 or above kNetMaxBlock, the wrong role, no
// network game, or a lost connection.
int NetSendToClients(const NetBufferDesc* descriptor);
int NetSendToServer(const NetBufferDesc* descriptor);

// Copies the block of the MsgNetData Message GetMsg handed out last (at
// most `capacity` bytes), stores its whole size in `*size` when given and
// returns 1; older unread blocks are dropped, and asking again gives the
// same block. 0 for a null buffer, when no such Message was taken, or when
// its block is gone (dropped as too old, or cleared).
int NetGetDataSized(uint8_t* buffer, uint32_t capacity, uint32_t* size);
// The same into a buffer that holds kNetMaxBlock bytes.
int NetGetData(uint8_t* buffer);

// Ends the network game: its threads are stopped first, then its sockets
// closed, the host list and the unread blocks dropped. Harmless twice or
// without a game.
void NetClose();

// The host/join dialog in the middle of the screen. 0 when cancelled or
// failed, 1 when this machine hosts a game, 2 when it joined one. The
// screen is as before afterwards.
int NetGameSetup();

// Reads up to 15 characters (codes 32 to 127) into `buffer` (16 bytes, set
// to zeros first) at (x, y) on the screen, with a blinking caret: 1 on
// Enter, 0 on Escape or F2 (or when no Message can be taken).
int InputLine(int16_t x, int16_t y, char* buffer);

// The text caret, shown by inverting its rectangle on the screen.
extern uint16_t caretX;
extern uint16_t caretY;
extern uint16_t caretWidth;
extern uint16_t caretHeight;
extern uint8_t caretHidden;  // 1 when not shown; 1 at start
// Hides the caret if it is shown and moves it.
void CaretMove(uint16_t x, uint16_t y);
// Hides the caret if it is shown and sets its position and size to 0.
void CaretHide();

// Hosts a search found last (for tests and diagnostics).
int NetFoundHostCount();
