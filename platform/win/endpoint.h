#pragma once
// Where a window can be reached from other processes: a SOCK_SEQPACKET Unix
// socket in the instance folder, named from the window's class and title
// (see endpoint_name.h).

#include <sys/types.h>

#include <string>
#include <string_view>

namespace plat {

struct Endpoint {
  std::string path;      // the socket; empty when the instance folder cannot be used
  std::string longName;  // for a hashed name, what its ".name" file holds
};

// The socket of the window (className, title) in this instance.
Endpoint EndpointFor(std::string_view className, std::string_view title);
inline std::string EndpointPath(std::string_view className, std::string_view title) {
  return EndpointFor(className, title).path;
}

// Listens at the endpoint's path (non-blocking), writing the ".name" file of
// a hashed name. A socket left there by a process that died is replaced; one
// that a live process listens on is kept and -1 is returned with errno
// EADDRINUSE.
int ListenEndpoint(const Endpoint& endpoint);

// Connects to the window at `path`. Returns the socket, or -1 when nobody
// listens there (a stale socket is then removed). `peer` receives the
// listening process's id; sockets of other users are refused.
int ConnectEndpoint(const std::string& path, pid_t* peer);

// Removes the socket file (and name file) of a window of ours that goes away.
void RemoveEndpoint(const std::string& path);

}  // namespace plat
