#include "tools/simctl/commands.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>

#include "host/companion_records.h"
#include "platform/gdi/png.h"
#include "platform/win/win.h"
#include "tools/simctl/host_link.h"
#include "tools/simctl/key_names.h"
#include "tools/simctl/screen_capture.h"
#include "tools/simctl/window_list.h"
#include "viewer/companion_queries.h"
#include "viewer/input_map.h"

namespace simctl {

namespace {

constexpr plat::UINT kCharMessage = kForwardedCharMessage;
constexpr plat::WPARAM kLeftButton = 1;  // MK_LBUTTON

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

// Posts messages to the host window in order; false (said) when a post fails.
class HostPoster {
 public:
  HostPoster() : host_(FindHost()) {}
  bool found() const { return host_ != nullptr; }
  bool Post(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (plat::PostMessageA(host_, message, wParam, lParam)) return true;
    Fail("the host window stopped taking messages");
    return false;
  }

 private:
  plat::HWND host_;
};

using PostAll = std::function<bool(HostPoster&)>;

int WithHost(const PostAll& post) {
  HostPoster poster;
  if (!poster.found()) return Fail("no host window in this instance");
  return post(poster) ? kExitOk : kExitFailure;
}

int KeyCommand(const Invocation& call, bool up) {
  if (call.args.size() != 1) return Usage(call.command + " takes one key");
  std::optional<lcd::VirtualKey> key = ParseKey(call.args[0]);
  if (!key) return Usage("unknown key '" + call.args[0] + "'");
  const plat::UINT message = up ? plat::WM_KEYUP : plat::WM_KEYDOWN;
  return WithHost([&](HostPoster& host) {
    return host.Post(message, plat::WPARAM(key->code), plat::LPARAM(lcd::KeyData(*key, up, false)));
  });
}

int TypeCommand(const Invocation& call) {
  if (call.args.size() != 1) return Usage("type takes one text");
  const std::vector<lcd::ForwardedChar> chars = lcd::TextToChars(call.args[0], 1);
  return WithHost([&](HostPoster& host) {
    for (const lcd::ForwardedChar& c : chars) {
      if (!host.Post(kCharMessage, c.wParam, c.lParam)) return false;
    }
    return true;
  });
}

int ClickCommand(const Invocation& call, bool twice) {
  if (call.args.size() != 2) return Usage(call.command + " takes X and Y");
  std::optional<int> x = ParseInt(call.args[0], 0, 0xFFFF);
  std::optional<int> y = ParseInt(call.args[1], 0, 0xFFFF);
  if (!x || !y) return Usage("X and Y are numbers from 0 to 65535");
  const plat::LPARAM point = plat::LPARAM(lcd::PointerData(*x, *y));
  return WithHost([&](HostPoster& host) {
    // A double click is down, up, double-click down, up.
    if (!host.Post(plat::WM_LBUTTONDOWN, kLeftButton, point)) return false;
    if (!host.Post(plat::WM_LBUTTONUP, 0, point)) return false;
    if (!twice) return true;
    if (!host.Post(plat::WM_LBUTTONDBLCLK, kLeftButton, point)) return false;
    return host.Post(plat::WM_LBUTTONUP, 0, point);
  });
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
  if (!CaptureScreen(int(size & 0xFFFF), int(size >> 16 & 0xFFFF), &image, &error)) {
    return Fail(error);
  }
  if (!plat::WritePngFile(call.args[0], image, &error)) {
    return Fail("cannot write " + call.args[0] + ": " + error);
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
  if (c == "key") return KeyCommand(call, false);
  if (c == "keyup") return KeyCommand(call, true);
  if (c == "type") return TypeCommand(call);
  if (c == "click") return ClickCommand(call, false);
  if (c == "dblclick") return ClickCommand(call, true);
  if (c == "screenshot") return ScreenshotCommand(call);
  if (c == "wait-idle") return WaitIdleCommand(call);
  if (c == "advance") return AdvanceCommand(call);
  if (c == "wait-frame") return WaitFrameCommand(call);
  if (c == "windows") return WindowsCommand(call);
  return Usage("unknown command '" + c + "'");
}

}  // namespace simctl
