// Any packet a peer process may send to a window: decoding must reject or
// accept it without reading outside it, and an accepted frame must be
// consistent.
#include <cstdlib>

#include "platform/win/wire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto frame = plat::DecodeFrame({data, size});
  if (frame) {
    if (frame->header.magic != plat::kWireMagic) std::abort();
    if (frame->data.size() != frame->header.dataSize) std::abort();
    if (frame->data.size() > plat::kMaxCopyData) std::abort();
  }
  return 0;
}
