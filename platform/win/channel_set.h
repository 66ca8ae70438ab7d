#pragma once
// The sockets through which other processes reach the windows of one
// thread: a listening socket per window and the connections accepted on it.
// Only the owner thread touches them, while it waits for messages.

#include <poll.h>

#include <vector>

#include "platform/win/types.h"
#include "platform/win/wire.h"

namespace plat {

class ThreadQueue;

class ChannelSet {
 public:
  ChannelSet() = default;
  ChannelSet(const ChannelSet&) = delete;
  ChannelSet& operator=(const ChannelSet&) = delete;
  ~ChannelSet();

  void AddListener(int fd, HWND window);
  // Closes the window's listener and connections; their clients see the
  // connection end, so a send in progress fails at once.
  void CloseWindow(HWND window);

  // Appends the descriptors to wait on.
  void AppendPollFds(std::vector<pollfd>* out) const;

  // Handles the descriptors reported ready in `ready`: accepts connections,
  // queues posted messages on `queue` and hands sent messages to their
  // window procedure, answering each.
  void Service(const std::vector<pollfd>& ready, ThreadQueue& queue);

 private:
  struct Channel {
    int fd;
    HWND window;
    bool listening;
  };

  const Channel* Find(int fd) const;
  void Close(int fd);
  void Accept(const Channel& listener);
  // Reads what the connection holds; false once a sent message was handled
  // (the procedure may have changed the channels).
  bool Drain(Channel connection, ThreadQueue& queue);
  void HandleSend(const Channel& connection, WireFrame& frame);

  std::vector<Channel> channels_;
  // Connections whose sent message is being handled (innermost last), and
  // those of them whose window went away meanwhile: they still get their
  // reply, then close.
  std::vector<int> answering_;
  std::vector<int> closeAfterReply_;
};

}  // namespace plat
