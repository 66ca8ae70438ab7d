#pragma once
// Where a window can be reached from other processes: a SOCK_SEQPACKET Unix
// socket in the instance folder, named from the window's class and title.
// Names are GB2312 bytes, so they are hex-encoded; a name too long for
// sun_path is replaced by a hash of the pair.

#include <sys/types.h>

#include <string>
#include <string_view>

namespace plat {

// Socket path of the window (className, title) in this instance, or an
// empty string when the instance folder cannot be used.
std::string EndpointPath(std::string_view className, std::string_view title);

// Listens at `path` (non-blocking). A socket left there by a process that
// died is replaced; one that a live process listens on is kept and -1 is
// returned with errno EADDRINUSE.
int ListenEndpoint(const std::string& path);

// Connects to the window at `path`. Returns the socket, or -1 when nobody
// listens there (a stale socket is then removed). `peer` receives the
// listening process's id; sockets of other users are refused.
int ConnectEndpoint(const std::string& path, pid_t* peer);

// Removes the socket file of a window of ours that goes away.
void RemoveEndpoint(const std::string& path);

}  // namespace plat
