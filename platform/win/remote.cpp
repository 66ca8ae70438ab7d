#include "platform/win/remote.h"

#include <poll.h>
#include <unistd.h>

#include <unordered_map>

#include "platform/win/endpoint.h"
#include "platform/win/thread_queue.h"
#include "platform/win/window_registry.h"
#include "platform/win/wire.h"

namespace plat {
namespace {

struct Connections {
  std::unordered_map<HWND, int> fds;
  uint32_t nextSequence = 1;

  ~Connections() {
    for (auto& [window, fd] : fds) close(fd);
  }
};

thread_local Connections connections;

void Drop(HWND window) {
  auto it = connections.fds.find(window);
  if (it == connections.fds.end()) return;
  close(it->second);
  connections.fds.erase(it);
}

// The calling thread's connection to `window`, made when missing. A window
// whose process ended stays unreachable even if a new process took its name.
int ConnectionTo(const WindowRecord& window) {
  auto it = connections.fds.find(window.hwnd);
  if (it != connections.fds.end()) return it->second;
  pid_t peer = 0;
  int fd = ConnectEndpoint(window.endpoint, &peer);
  if (fd < 0) return -1;
  if (peer != window.peer) {
    close(fd);
    return -1;
  }
  connections.fds.emplace(window.hwnd, fd);
  return fd;
}

// Writes a frame, waiting (and handling messages sent to us) while the
// peer's socket is full.
WireStatus WriteFrame(int fd, const WireHeader& header, const void* data) {
  for (;;) {
    WireStatus status = SendFrame(fd, header, data, false);
    if (status != WireStatus::kWouldBlock) return status;
    pollfd writable{fd, POLLOUT, 0};
    ThreadQueue::WaitHandlingSent(nullptr, &writable, true);
  }
}

WireHeader Header(WireKind kind, UINT message, WPARAM wParam, LPARAM lParam) {
  return WireHeader{kWireMagic, static_cast<uint16_t>(kind), 0, 0, message,
                    wParam,     static_cast<uint64_t>(lParam), 0, 0};
}

// Waits for the reply to `sequence` on `fd`.
bool AwaitReply(int fd, uint32_t sequence, LRESULT* result) {
  WireFrame frame;
  for (;;) {
    pollfd readable{fd, POLLIN, 0};
    ThreadQueue::WaitHandlingSent(nullptr, &readable, true);
    switch (ReceiveFrame(fd, &frame)) {
      case WireStatus::kWouldBlock:
        continue;
      case WireStatus::kClosed:
      case WireStatus::kBad:
        return false;
      case WireStatus::kOk:
        break;
    }
    // Replies nest like calls: the one that comes is always ours.
    if (frame.header.kind != static_cast<uint16_t>(WireKind::kReply) ||
        frame.header.sequence != sequence) {
      return false;
    }
    *result = static_cast<LRESULT>(frame.header.lParam);
    return true;
  }
}

}  // namespace

HWND FindRemoteWindow(const char* className, const char* title) {
  std::string path = EndpointPath(className, title);
  if (path.empty()) return nullptr;
  pid_t peer = 0;
  int fd = ConnectEndpoint(path, &peer);
  if (fd < 0) return nullptr;
  if (peer == getpid()) {  // our own window, on its way out
    close(fd);
    return nullptr;
  }
  HWND window = RemoteWindowHandle(path, peer);
  if (!connections.fds.emplace(window, fd).second) close(fd);
  return window;
}

bool RemoteWindowAlive(const WindowRecord& window) {
  int fd = ConnectionTo(window);
  if (fd < 0) return false;
  pollfd state{fd, POLLIN, 0};
  if (poll(&state, 1, 0) > 0 && (state.revents & (POLLHUP | POLLERR))) {
    Drop(window.hwnd);
    return false;
  }
  return true;
}

bool RemotePost(const WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) return false;
  int fd = ConnectionTo(window);
  if (fd < 0) return false;
  if (WriteFrame(fd, Header(WireKind::kPost, message, wParam, lParam), nullptr) ==
      WireStatus::kOk) {
    return true;
  }
  Drop(window.hwnd);
  return false;
}

LRESULT RemoteSend(const WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam,
                   bool* delivered) {
  *delivered = false;
  WireHeader header = Header(WireKind::kSend, message, wParam, lParam);
  const void* data = nullptr;
  if (message == WM_COPYDATA) {
    auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!copy || copy->cbData > kMaxCopyData || (copy->cbData > 0 && !copy->lpData)) return 0;
    header.lParam = copy->dwData;
    header.dataSize = copy->cbData;
    data = copy->lpData;
  }
  int fd = ConnectionTo(window);
  if (fd < 0) return 0;
  header.sequence = connections.nextSequence++;
  LRESULT result = 0;
  if (WriteFrame(fd, header, data) != WireStatus::kOk || !AwaitReply(fd, header.sequence, &result)) {
    Drop(window.hwnd);
    return 0;
  }
  *delivered = true;
  return result;
}

}  // namespace plat
