#pragma once
// A forked process that sends back every packet it gets over a
// SOCK_SEQPACKET socket pair: the floor of any message between two
// processes. Start it before the benchmark starts any thread.

#include <sys/types.h>

#include <cstddef>

namespace bench {

class EchoPeer {
 public:
  EchoPeer() = default;
  ~EchoPeer();
  EchoPeer(const EchoPeer&) = delete;
  EchoPeer& operator=(const EchoPeer&) = delete;

  bool Start();
  // One packet of `bytes` (at most 64) there and back; false when the peer
  // is gone.
  bool RoundTrip(std::size_t bytes);

 private:
  int fd_ = -1;
  pid_t pid_ = -1;
};

}  // namespace bench
