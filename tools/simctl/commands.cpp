#include "tools/simctl/commands.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "drive/input_commands.h"
#include "platform/gdi/png.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/records.h"
#include "tools/simctl/host_link.h"
#include "tools/simctl/screen_capture.h"
#include "tools/simctl/window_list.h"

namespace simctl {

namespace {

int Fail(const std::string& why) {
  std::fprintf(stderr, "simctl: %s\n", why.c_str());
  return kExitFailure;
}

int Usage(const std::string& why) {
  std::fprintf(stderr, "simctl: %s (try --help)\n", why.c_str());
  return kExitUsage;
}

std::optional<int> ParseInt(std::string_view text, int low, int high) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

// Posts the messages of an input command to the host window, in order.
int InputCommand(const Invocation& call) {
  std::vector<drive::InputMessage> messages;
  std::string error;
  if (!drive::InputCommandMessages(call.command, call.args, &messages, &error)) return Usage(error);
  plat::HWND host = FindHost();
  if (!host) return Fail("no host window in this instance");
  for (const drive::InputMessage& m : messages) {
    if (!plat::PostMessageA(host, m.message, plat::WPARAM(m.wParam), plat::LPARAM(m.lParam))) {
      return Fail("the host window stopped taking messages");
    }
  }
  return kExitOk;
}

int AskHost(const Invocation& call, plat::UINT question, plat::LPARAM lParam) {
  plat::HWND host = FindHost();
  if (!host) return Fail("no host window in this instance");
  ReplyWindow replies;
  if (!replies.valid()) return Fail("cannot make a window for the host's answer");
  std::optional<plat::LPARAM> answer = replies.Ask(host, question, lParam, call.timeoutMs);
  if (!answer) return Fail(call.command + ": no answer from the host");
  if (*answer != 1) return Fail(call.command + ": the host did not become idle in time");
  return kExitOk;
}

int WaitIdleCommand(const Invocation& call) {
  if (!call.args.empty()) return Usage("wait-idle takes no arguments");
  return AskHost(call, kHostAskIdle, 0);
}

int AdvanceCommand(const Invocation& call) {
  if (call.args.size() != 1) return Usage("advance takes milliseconds");
  std::optional<int> ms = ParseInt(call.args[0], 0, 24 * 3600 * 1000);
  if (!ms) return Usage("advance takes milliseconds from 0 to 86400000");
  return AskHost(call, kHostAskAdvance, *ms);
}

int WaitFrameCommand(const Invocation& call) {
  if (call.args.size() > 1) return Usage("wait-frame takes at most a frame count");
  plat::HWND viewer = FindViewer();
  if (!viewer) return Fail("no viewer in this instance");
  plat::LPARAM after = 0;
  if (call.args.empty()) {
    after = plat::SendMessageA(viewer, kLcdQueryFrameCount, 0, 0);
  } else if (std::optional<int> count = ParseInt(call.args[0], 0, 0x7FFFFFFF)) {
    after = *count;
  } else {
    return Usage("the frame count is a number");
  }
  ReplyWindow replies;
  if (!replies.valid()) return Fail("cannot make a window for the viewer's answer");
  std::optional<plat::LPARAM> reached =
      replies.Ask(viewer, kLcdAskFrameAfter, after, call.timeoutMs);
  if (!reached) return Fail("wait-frame: no new frame in time");
  std::printf("%lld\n", static_cast<long long>(*reached));
  return kExitOk;
}

int ScreenshotCommand(const Invocation& call) {
  if (call.args.size() != 1) return Usage("screenshot takes a file name");
  plat::HWND viewer = FindViewer();
  if (!viewer) return Fail("no viewer in this instance to tell the screen size");
  const plat::LRESULT size = plat::SendMessageA(viewer, kLcdQueryFrameSize, 0, 0);
  if (size <= 0) return Fail("the viewer has not shown a frame yet");
  plat::Image image;
  std::string error;
  if (!CaptureScreen(FrameWidth(size), FrameHeight(size), &image, &error)) {
    return Fail(error);
  }
  if (!plat::WritePngFile(call.args[0], image, &error)) {
    return Fail("cannot write " + call.args[0] + ": " + error);
  }
  return kExitOk;
}

// Asks a recording host to mark this moment as a frame NAME.png.
int MarkCommand(const Invocation& call) {
  if (call.args.size() != 1) return Usage("mark takes a name");
  plat::HWND host = FindHost();
  if (!host) return Fail("no host window in this instance");
  const std::string& name = call.args[0];
  plat::COPYDATASTRUCT data{kHostMarkCopyData, uint32_t(name.size()),
                            const_cast<char*>(name.data())};
  if (plat::SendMessageA(host, plat::WM_COPYDATA, 0, plat::LPARAM(&data)) != 1) {
    return Fail("mark " + name + ": the host does not record, or the name is taken or not a "
                "plain file name");
  }
  return kExitOk;
}

std::string Printable(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text.push_back(char(c));
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      text += escaped;
    }
  }
  return text;
}

int WindowsCommand(const Invocation& call) {
  if (!call.args.empty()) return Usage("windows takes no arguments");
  for (const InstanceWindow& window : ListWindows()) {
    if (window.className.empty()) {
      std::printf("(long name %s)\n", window.socketName.c_str());
    } else {
      std::printf("%s\t%s\n", Printable(window.className).c_str(), Printable(window.title).c_str());
    }
  }
  return kExitOk;
}

}  // namespace

int RunCommand(const Invocation& call) {
  const std::string& c = call.command;
  if (drive::IsInputCommand(c)) return InputCommand(call);
  if (c == "screenshot") return ScreenshotCommand(call);
  if (c == "wait-idle") return WaitIdleCommand(call);
  if (c == "advance") return AdvanceCommand(call);
  if (c == "wait-frame") return WaitFrameCommand(call);
  if (c == "windows") return WindowsCommand(call);
  if (c == "mark") return MarkCommand(call);
  return Usage("unknown command '" + c + "'");
}

}  // namespace simctl
