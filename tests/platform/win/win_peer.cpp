// The second process of the window tests: a window (class and title from
// the command line, or the defaults) answering the messages of
// peer_protocol.h until it is closed.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sys/program_env.h"
#include "platform/win/win.h"
#include "tests/platform/win/peer_protocol.h"

using namespace plat;
using namespace plat::testing;

namespace {

int nextSequence = 0;
bool sequenceBroken = false;

LRESULT PeerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kPeerEcho:
      return static_cast<LRESULT>(wParam * 2) + lParam;
    case kPeerSequence:
      if (static_cast<int>(wParam) != nextSequence) sequenceBroken = true;
      ++nextSequence;
      return 0;
    case kPeerSequenceCount:
      return sequenceBroken ? -1 : nextSequence;
    case kPeerCallBack: {
      HWND test = FindWindowA(kTestClass, kTestTitle);
      if (!test) return -1;
      return SendMessageA(test, kTestNested, wParam, 0) + 1000;
    }
    case kPeerDie:
      _exit(3);
    case kPeerDestroy:
      DestroyWindow(hwnd);
      return 77;
    case kPeerBlock: {
      const char* fifo = std::getenv("PEER_FIFO");
      int fd = fifo ? open(fifo, O_RDONLY) : -1;
      char byte = 0;
      bool got = fd >= 0 && read(fd, &byte, 1) == 1;
      if (fd >= 0) close(fd);
      return got ? 5 : -1;
    }
    case WM_COPYDATA: {
      auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      return CopyDataDigest(copy->dwData, copy->lpData, copy->cbData);
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  plat::ApplyProgramEnv(plat::ReadProgramEnv());
  if (argc != 1 && argc != 3) {
    bool help = std::strcmp(argv[1], "--help") == 0;
    std::fprintf(help ? stdout : stderr, "usage: win_peer [CLASS TITLE]\n");
    return help ? 0 : 2;
  }
  const char* className = argc == 3 ? argv[1] : kPeerClass;
  const char* title = argc == 3 ? argv[2] : kPeerTitle;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PeerProc;
  windowClass.lpszClassName = className;
  if (!RegisterClassA(&windowClass)) return 10;
  if (!CreateWindowA(className, title, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {
    return 11;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
