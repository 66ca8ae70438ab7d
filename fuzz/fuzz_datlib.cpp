// Feeds bytes to what datlib runs on a library: reading, listing, dumping and
// checking. An input starting with "LIB" is a whole library image; any other
// input is one resource (type, id1, id2, then its bytes), packed into a
// library first so that the fuzzer reaches every resource decoder quickly.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/check.h"
#include "tools/datlib/dump.h"
#include "tools/datlib/listing.h"

namespace {

void RunAll(std::span<const std::uint8_t> image) {
  datlib::Diagnostics diag;
  (void)datlib::ListLibrary(image, "fuzz.lib", diag);
  (void)datlib::DumpLibrary(image, "fuzz.lib", diag);
  (void)datlib::CheckLibrary(image, "fuzz.lib", diag);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> in(data, size);
  if (size >= 3 && std::memcmp(data, "LIB", 3) == 0) {
    RunAll(in);
    return 0;
  }
  if (size < 3) return 0;
  const rpgfmt::LibResource one{{data[0], data[1], data[2]}, in.subspan(3)};
  const rpgfmt::PackResult packed = rpgfmt::WriteLibrary({"fuzz", 4}, {&one, 1});
  if (packed.error.empty()) RunAll(packed.image);
  return 0;
}
