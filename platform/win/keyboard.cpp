#include "platform/win/keyboard.h"

#include <array>
#include <atomic>

#include "platform/win/thread_queue.h"

namespace plat {
namespace {

constexpr uint8_t kDown = 0x80;
constexpr uint8_t kToggled = 0x01;

std::array<std::atomic<uint8_t>, 256> keyState{};

bool IsDown(int virtualKey) { return (keyState[virtualKey & 0xFF].load() & kDown) != 0; }

}  // namespace

int16_t GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 0xFF) return 0;
  uint8_t state = keyState[virtualKey].load();
  return static_cast<int16_t>(((state & kDown) ? 0xFF80 : 0) | (state & kToggled));
}

void NoteKeyMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) return;
  if (message.wParam > 0xFF) return;
  std::atomic<uint8_t>& state = keyState[message.wParam];
  if (message.message == WM_KEYUP) {
    state.fetch_and(static_cast<uint8_t>(~kDown));
  } else if (!(state.load() & kDown)) {
    // An auto-repeat key-down does not toggle again.
    state.fetch_xor(kToggled);
    state.fetch_or(kDown);
  }
}

void ResetKeyState() {
  for (auto& state : keyState) state.store(0);
}

int CharacterForKey(int virtualKey) {
  static const char shiftedDigits[] = ")!@#$%^&*(";
  bool shift = IsDown(VK_SHIFT);
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    bool caps = (GetKeyState(VK_CAPITAL) & kToggled) != 0;
    return (shift != caps) ? virtualKey : virtualKey - 'A' + 'a';
  }
  if (virtualKey >= '0' && virtualKey <= '9') {
    return shift ? shiftedDigits[virtualKey - '0'] : virtualKey;
  }
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9) {
    return virtualKey - VK_NUMPAD0 + '0';
  }
  switch (virtualKey) {
    case VK_SPACE:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_BACK:
    case VK_TAB:
      return virtualKey;
    default:
      return 0;
  }
}

bool TranslateMessage(const MSG* message) {
  if (!message || message->message != WM_KEYDOWN) return false;
  int character = CharacterForKey(static_cast<int>(message->wParam));
  if (character == 0) return false;
  MSG typed = *message;
  typed.message = WM_CHAR;
  typed.wParam = static_cast<WPARAM>(character);
  ThreadQueue::Current()->PostFront(typed);
  return true;
}

}  // namespace plat
