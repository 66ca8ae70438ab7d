#pragma once
// Messages the window test peer understands (see win_peer.cpp).

#include <cstddef>
#include <cstdint>

#include "platform/win/types.h"

namespace plat::testing {

inline constexpr const char* kPeerClass = "PeerClass";
inline constexpr const char* kPeerTitle = "Peer";
inline constexpr const char* kTestClass = "TestClass";
inline constexpr const char* kTestTitle = "Test";

// Sent: returns wParam * 2 + lParam.
inline constexpr UINT kPeerEcho = WM_USER + 1;
// Posted with wParam 0, 1, 2, ...: the peer checks the order.
inline constexpr UINT kPeerSequence = WM_USER + 2;
// Sent: the number of kPeerSequence messages seen, or -1 if one was out of order.
inline constexpr UINT kPeerSequenceCount = WM_USER + 3;
// Sent: the peer sends kTestNested(wParam) to the test's window and returns
// that result plus 1000.
inline constexpr UINT kPeerCallBack = WM_USER + 4;
// Sent: the peer's process ends inside the window procedure.
inline constexpr UINT kPeerDie = WM_USER + 5;
// Sent: the peer destroys its window (and so ends) and still answers 77.
inline constexpr UINT kPeerDestroy = WM_USER + 7;
// Sent: the peer reads one byte from the FIFO named by $PEER_FIFO, then
// answers 5: the test decides when the peer's work is done.
inline constexpr UINT kPeerBlock = WM_USER + 8;
// Sent to the test's window by the peer.
inline constexpr UINT kTestNested = WM_USER + 10;

// What the peer answers to WM_COPYDATA: a hash of dwData and the bytes.
inline LRESULT CopyDataDigest(uintptr_t dwData, const void* data, size_t size) {
  uint32_t hash = 2166136261u ^ static_cast<uint32_t>(dwData);
  const auto* bytes = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
  return static_cast<LRESULT>(hash) + static_cast<LRESULT>(size);
}

}  // namespace plat::testing
