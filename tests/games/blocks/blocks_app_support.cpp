#include "tests/games/blocks/blocks_app_support.h"

#include <mutex>

#include "games/blocks/blocks.h"
#include "host/msg.h"
#include "protocol/messages.h"
#include "protocol/records.h"

namespace blocks_test {
namespace {

std::mutex mu;
std::vector<Message> afterReturn;

}  // namespace

void RunGameThenListen() {
  {
    std::lock_guard lock(mu);
    afterReturn.clear();
  }
  BlocksMain();
  Message message;
  while (GetMsg(&message)) {
    if (message.type == MsgKeyDown && message.wParam == kKeyEscape) return;
    std::lock_guard lock(mu);
    afterReturn.push_back(message);
  }
}

std::vector<Message> MessagesAfterReturn() {
  std::lock_guard lock(mu);
  return afterReturn;
}

std::vector<ScreenSize> ModeChanges(const testsupport::StandinCompanion& viewer) {
  std::vector<ScreenSize> sizes;
  for (const ScreenModeRecord& record : viewer.Records<ScreenModeRecord>(kScreenModeCopyData)) {
    sizes.push_back({record.width, record.height});
  }
  return sizes;
}

}  // namespace blocks_test
