// Blocks from the other machine of a pairs game: a legal game (dealt from a
// seed the input picks, part played, for the role it picks) takes each block
// the input holds as the game would; after each the state is still one a
// game can be in.
#include <cstdlib>

#include "games/pairs/pairs_rules.h"

namespace {

using namespace pairs;

uint32_t seed = 1;
int32_t NextRandom() {
  seed = seed * 1103515245u + 12345u;
  return int32_t((seed / 65536u) % 32768u);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  PairsState state;
  NewGame(state);
  seed = data[0];
  Deal(state, NextRandom);
  state.role = data[1] % 3;
  state.started = data[1] & 0x80 ? 0 : 1;
  // Then blocks: a length byte and that many bytes.
  for (size_t at = 2; at < size;) {
    const size_t length = data[at++];
    const size_t taken = length < size - at ? length : size - at;
    const Received got = DecodePacket(data + at, uint32_t(taken), state);
    at += taken;
    if (got.kind == Received::kBoard) AdoptBoard(state, got.board);
    if (got.kind == Received::kPick && ApplyPick(state, got.pick) == PickOutcome::kIgnored) {
      std::abort();  // the decoder let through a pick that is not on a card
    }
    if (!IsLegal(state)) std::abort();
  }
  return 0;
}
