// Windows and messages inside one process.

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/sys/clock.h"
#include "platform/sys/sync.h"
#include "platform/sys/thread.h"
#include "platform/win/object_window.h"
#include "platform/win/win.h"
#include "tests/support/scoped.h"
#include "tests/support/test_instance.h"
#include "tests/support/window_thread.h"

namespace plat {
namespace {

using testsupport::CreateHandlerWindow;
using testsupport::kHandlerClass;
using testsupport::ScopedEnv;
using testsupport::TestInstance;
using WindowThread = testsupport::WindowThread;

constexpr UINT kRecord = WM_USER + 1;

class MessageTest : public ::testing::Test {
 protected:
  TestInstance instance_;
};

TEST_F(MessageTest, PostedMessagesArriveInOrder) {
  std::vector<WPARAM> seen;
  WindowThread loop([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != kRecord) return std::nullopt;
    seen.push_back(wParam);
    return 0;
  });
  for (WPARAM i = 0; i < 1000; ++i) ASSERT_TRUE(PostMessageA(loop.hwnd(), kRecord, i, 0));
  ASSERT_TRUE(WaitUntilIdle());
  ASSERT_EQ(seen.size(), 1000u);
  for (WPARAM i = 0; i < 1000; ++i) ASSERT_EQ(seen[i], i);
}

TEST_F(MessageTest, IdleActionRunsOnceEverythingQueuedIsHandled) {
  Event* allPosted = CreateEventA(nullptr, true, false, nullptr);
  Event* ran = CreateEventA(nullptr, false, false, nullptr);
  int handled = 0;
  int handledWhenIdle = -1;
  WindowThread loop([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != kRecord) return std::nullopt;
    ++handled;
    if (wParam == 0) {
      // Hold on until the rest is queued, so the loop cannot run dry early.
      WaitForSingleObject(allPosted, INFINITE);
      // Asked from inside the application, which can never wait for its own
      // idleness.
      RunWhenIdle([&] {
        handledWhenIdle = handled;
        SetEvent(ran);
      });
    }
    return 0;
  });
  for (WPARAM i = 0; i < 100; ++i) PostMessageA(loop.hwnd(), kRecord, i, 0);
  SetEvent(allPosted);
  ASSERT_EQ(WaitForSingleObject(ran, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(handledWhenIdle, 100);
  CloseHandle(ran);
  CloseHandle(allPosted);
}

TEST_F(MessageTest, SendRunsOnTheOwnerThreadAndReturnsItsResult) {
  std::thread::id ranOn;
  WindowThread loop([&](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (message != kRecord) return std::nullopt;
    ranOn = std::this_thread::get_id();
    return static_cast<LRESULT>(wParam) - lParam;
  });
  EXPECT_EQ(SendMessageA(loop.hwnd(), kRecord, 10, 3), 7);
  EXPECT_EQ(ranOn, loop.threadId());
}

TEST_F(MessageTest, ThreadsSendingToEachOtherDoNotDeadlock) {
  HWND first = nullptr;
  WindowThread second([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != kRecord) return std::nullopt;
    // `first` is blocked sending to us; it still answers this.
    return SendMessageA(first, kRecord + 1, wParam + 1, 0) * 10;
  });
  WindowThread firstLoop([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message == kRecord) return SendMessageA(second.hwnd(), kRecord, wParam, 0) + 1;
    if (message == kRecord + 1) return static_cast<LRESULT>(wParam) * 2;
    return std::nullopt;
  });
  first = firstLoop.hwnd();
  EXPECT_EQ(SendMessageA(first, kRecord, 4, 0), (4 + 1) * 2 * 10 + 1);
}

TEST_F(MessageTest, CreationDeliversCreateBeforeReturning) {
  std::atomic<bool> appThreadRan{false};
  Event* appDone = CreateEventA(nullptr, false, false, nullptr);
  std::string name;
  HWND created = nullptr;
  StartThread([&] {
    created = CreateHandlerWindow("创建", [&](HWND, UINT message, WPARAM,
                                             LPARAM lParam) -> std::optional<LRESULT> {
      if (message != WM_CREATE) return std::nullopt;
      name = reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpszName;
      struct Start {
        std::atomic<bool>* ran;
        Event* done;
      };
      static Start start;
      start = {&appThreadRan, appDone};
      _beginthread(
          [](void* argument) {
            auto* s = static_cast<Start*>(argument);
            s->ran->store(true);
            SetEvent(s->done);
          },
          0, &start);
      return 0;
    });
    DestroyWindow(created);
  }).join();
  EXPECT_NE(created, nullptr);
  EXPECT_EQ(name, "创建");
  EXPECT_EQ(WaitForSingleObject(appDone, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(appThreadRan);
  CloseHandle(appDone);
}

TEST_F(MessageTest, CreateAnsweringMinusOneFailsCreation) {
  HWND created = CreateHandlerWindow("refused", [](HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_CREATE ? std::optional<LRESULT>(-1) : std::nullopt;
  });
  EXPECT_EQ(created, nullptr);
  EXPECT_EQ(FindWindowA(kHandlerClass, "refused"), nullptr);
  EXPECT_EQ(CreateWindowA("NoSuchClass", "x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  // Without a usable instance folder other processes could never reach it.
  ScopedEnv badInstance("TOVSIM_INSTANCE", std::string("../escape"));
  EXPECT_EQ(CreateHandlerWindow("nowhere", nullptr), nullptr);
}

TEST_F(MessageTest, WindowOfAnEndedThreadIsGone) {
  HWND orphan = nullptr;
  StartThread([&] { orphan = CreateHandlerWindow("orphan", nullptr); }).join();
  ASSERT_NE(orphan, nullptr);
  EXPECT_FALSE(IsWindow(orphan));
  EXPECT_EQ(FindWindowA(kHandlerClass, "orphan"), nullptr);
  EXPECT_EQ(SendMessageA(orphan, kRecord, 1, 0), 0);
  EXPECT_FALSE(PostMessageA(orphan, kRecord, 1, 0));
}

TEST_F(MessageTest, SendToAThreadThatEndsBeforeAnsweringFails) {
  Event* ended = CreateEventA(nullptr, true, false, nullptr);
  HWND window = nullptr;
  Event* created = CreateEventA(nullptr, false, false, nullptr);
  std::thread owner = StartThread([&] {
    window = CreateHandlerWindow("leaving", nullptr);
    SetEvent(created);
    // Never takes a message: the thread ends with a send pending.
    WaitForSingleObject(ended, INFINITE);
  });
  WaitForSingleObject(created, INFINITE);
  std::thread sender = StartThread([&] { EXPECT_EQ(SendMessageA(window, kRecord, 1, 0), 0); });
  EXPECT_TRUE(WaitUntilIdle());  // the sender waits for an answer
  SetEvent(ended);
  owner.join();
  sender.join();
  CloseHandle(ended);
  CloseHandle(created);
}

TEST_F(MessageTest, OnlyTheOwnerDestroysAWindow) {
  int destroyed = 0;
  WindowThread loop([&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_DESTROY) ++destroyed;
    return std::nullopt;
  });
  EXPECT_FALSE(DestroyWindow(loop.hwnd()));
  EXPECT_TRUE(IsWindow(loop.hwnd()));
  SendMessageA(loop.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(loop.hwnd()));
  EXPECT_EQ(destroyed, 1);
}

// Runs on a thread of its own so the queue starts empty.
void QuitAndPeekOnFreshQueue() {
  HWND own = CreateHandlerWindow("own", nullptr);
  ASSERT_NE(own, nullptr);
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  PostQuitMessage(7);
  PostMessageA(own, kRecord, 1, 0);
  PostMessageA(nullptr, kRecord, 2, 0);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.wParam, 1u);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, kRecord, kRecord, PM_REMOVE));
  EXPECT_EQ(message.hwnd, own);
  ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(message.wParam, 2u);
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(DestroyWindow(own));
  EXPECT_FALSE(DestroyWindow(own));
}

TEST_F(MessageTest, QuitComesAfterQueuedMessagesAndPeekLooksWithoutTaking) {
  StartThread(QuitAndPeekOnFreshQueue).join();
}

TEST_F(MessageTest, FindWindowMatchesClassAndTitleBytes) {
  HWND first = CreateHandlerWindow("宋体", nullptr);
  HWND second = CreateHandlerWindow("黑体", nullptr);
  EXPECT_EQ(FindWindowA(kHandlerClass, "宋体"), first);
  EXPECT_EQ(FindWindowA(kHandlerClass, "黑体"), second);
  EXPECT_EQ(FindWindowA(kHandlerClass, nullptr), first);
  EXPECT_EQ(FindWindowA(nullptr, "黑体"), second);
  EXPECT_EQ(FindWindowA(kHandlerClass, "楷体"), nullptr);
  EXPECT_EQ(FindWindowA("Other", "宋体"), nullptr);
  DestroyWindow(first);
  DestroyWindow(second);
}

TEST_F(MessageTest, TranslatedCharacterComesNext) {
  ResetKeyState();
  std::vector<std::pair<UINT, WPARAM>> seen;
  WindowThread loop([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message >= WM_KEYDOWN && message <= WM_CHAR) seen.emplace_back(message, wParam);
    return std::nullopt;
  });
  PostMessageA(loop.hwnd(), WM_KEYDOWN, VK_SHIFT, 0);
  PostMessageA(loop.hwnd(), WM_KEYDOWN, 'Q', 0);
  PostMessageA(loop.hwnd(), WM_KEYUP, VK_SHIFT, 0);
  PostMessageA(loop.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(WaitUntilIdle());
  std::vector<std::pair<UINT, WPARAM>> expected{{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'Q'},
                                                {WM_CHAR, 'Q'},        {WM_KEYUP, VK_SHIFT},
                                                {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}};
  EXPECT_EQ(seen, expected);
}

// The object behind a window, reached through its user data as the
// companions' windows reach theirs.
struct Counter {
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRecord) return ++messages;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  int messages = 0;
};

TEST_F(MessageTest, EachWindowReachesItsOwnObjectThroughItsUserData) {
  Counter a;
  Counter b;
  HWND first = CreateObjectWindow("CounterClass", "a", &a);
  HWND second = CreateObjectWindow("CounterClass", "b", &b);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(SendMessageA(first, kRecord, 0, 0), 1);
  EXPECT_EQ(SendMessageA(first, kRecord, 0, 0), 2);
  EXPECT_EQ(SendMessageA(second, kRecord, 0, 0), 1);
  EXPECT_EQ(a.messages, 2);
  EXPECT_EQ(b.messages, 1);

  // Any thread reads it; setting answers the old value.
  StartThread([&] {
    EXPECT_EQ(GetWindowLongPtrA(first, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&a));
  }).join();
  Counter c;
  EXPECT_EQ(SetWindowLongPtrA(second, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c)),
            reinterpret_cast<LONG_PTR>(&b));
  EXPECT_EQ(GetWindowLongPtrA(second, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&c));
  EXPECT_EQ(SendMessageA(second, kRecord, 0, 0), 1) << "now the other object's";
  // Only the user data is kept.
  constexpr int kProcedureIndex = -4;
  EXPECT_EQ(SetWindowLongPtrA(first, kProcedureIndex, 1), 0);
  EXPECT_EQ(GetWindowLongPtrA(first, kProcedureIndex), 0);

  EXPECT_TRUE(DestroyWindow(first));
  EXPECT_TRUE(DestroyWindow(second));
  EXPECT_EQ(GetWindowLongPtrA(first, GWLP_USERDATA), 0);
  EXPECT_EQ(SetWindowLongPtrA(first, GWLP_USERDATA, 1), 0);
}

}  // namespace
}  // namespace plat
