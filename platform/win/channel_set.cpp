#include "platform/win/channel_set.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "platform/sys/clock.h"
#include "platform/win/thread_queue.h"
#include "platform/win/window_registry.h"

namespace plat {
namespace {

// Enough to empty a busy connection without starving the others.
constexpr int kFramesPerTurn = 64;

// Real time, not the clock's: a safety net against a broken client.
constexpr int kReplyRoomTimeoutMs = 5000;

}  // namespace

ChannelSet::~ChannelSet() {
  for (const Channel& c : channels_) close(c.fd);
}

void ChannelSet::AddListener(int fd, HWND window) { channels_.push_back({fd, window, true}); }

void ChannelSet::CloseWindow(HWND window) {
  std::erase_if(channels_, [&](const Channel& c) {
    if (c.window != window) return false;
    if (std::find(answering_.begin(), answering_.end(), c.fd) != answering_.end()) {
      closeAfterReply_.push_back(c.fd);
    } else {
      close(c.fd);
    }
    return true;
  });
}

void ChannelSet::AppendPollFds(std::vector<pollfd>* out) const {
  for (const Channel& c : channels_) out->push_back(pollfd{c.fd, POLLIN, 0});
}

const ChannelSet::Channel* ChannelSet::Find(int fd) const {
  auto it = std::find_if(channels_.begin(), channels_.end(),
                         [&](const Channel& c) { return c.fd == fd; });
  return it == channels_.end() ? nullptr : &*it;
}

void ChannelSet::Close(int fd) {
  std::erase_if(channels_, [&](const Channel& c) { return c.fd == fd; });
  close(fd);
}

void ChannelSet::Service(const std::vector<pollfd>& ready, ThreadQueue& queue) {
  for (const pollfd& p : ready) {
    if (p.revents == 0) continue;
    const Channel* channel = Find(p.fd);
    if (!channel) continue;
    if (channel->listening) {
      Accept(*channel);
    } else if (!Drain(*channel, queue)) {
      return;  // the remaining ones are still ready at the next wait
    }
  }
}

void ChannelSet::Accept(const Channel& listener) {
  Channel copy = listener;
  for (;;) {
    int fd = accept4(copy.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    channels_.push_back({fd, copy.window, false});
  }
}

bool ChannelSet::Drain(Channel connection, ThreadQueue& queue) {
  WireFrame frame;
  for (int i = 0; i < kFramesPerTurn; ++i) {
    switch (ReceiveFrame(connection.fd, &frame)) {
      case WireStatus::kWouldBlock:
        return true;
      case WireStatus::kClosed:
      case WireStatus::kBad:
        Close(connection.fd);
        return true;
      case WireStatus::kOk:
        break;
    }
    const WireHeader& h = frame.header;
    if (h.kind == static_cast<uint16_t>(WireKind::kPost)) {
      queue.Post(MSG{connection.window, h.message, h.wParam, static_cast<LPARAM>(h.lParam),
                     GetTickCount(), {0, 0}});
    } else if (h.kind == static_cast<uint16_t>(WireKind::kSend)) {
      HandleSend(connection, frame);
      return false;
    } else {
      Close(connection.fd);  // a client never receives sends, so never replies
      return true;
    }
  }
  return true;
}

void ChannelSet::HandleSend(const Channel& connection, WireFrame& frame) {
  const WireHeader& h = frame.header;
  COPYDATASTRUCT copy{};
  LPARAM lParam = static_cast<LPARAM>(h.lParam);
  if (h.message == WM_COPYDATA) {
    copy = COPYDATASTRUCT{h.lParam, h.dataSize, frame.data.data()};
    lParam = reinterpret_cast<LPARAM>(&copy);
  }
  int fd = connection.fd;
  answering_.push_back(fd);
  LRESULT result = CallWindowProcedure(connection.window, h.message, h.wParam, lParam);
  answering_.pop_back();
  WireHeader reply{kWireMagic, static_cast<uint16_t>(WireKind::kReply), 0, h.sequence,
                   h.message, 0, static_cast<uint64_t>(result), 0, 0};
  // The procedure may have destroyed the window (WM_CLOSE): answer, then close.
  auto deferred = std::find(closeAfterReply_.begin(), closeAfterReply_.end(), fd);
  if (deferred != closeAfterReply_.end()) {
    closeAfterReply_.erase(deferred);
    SendFrame(fd, reply, nullptr, false);
    close(fd);
    return;
  }
  if (!Find(fd)) return;
  WireStatus status;
  while ((status = SendFrame(fd, reply, nullptr, false)) == WireStatus::kWouldBlock) {
    // Our clients read while they wait for a reply, so room comes at once;
    // a client that does not read is dropped rather than waited for.
    pollfd writable{fd, POLLOUT, 0};
    if (poll(&writable, 1, kReplyRoomTimeoutMs) <= 0) break;
  }
  if (status != WireStatus::kOk) Close(fd);
}

}  // namespace plat
