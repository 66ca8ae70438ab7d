#include "tests/support/host_env.h"

#include <filesystem>

#include "host/host_reset.h"
#include "platform/sys/clock.h"
#include "platform/sys/msgbox.h"
#include "platform/win/keyboard.h"

namespace testsupport {

namespace {

void ResetProcess() {
  ResetHost();
  plat::UseRealClock();
  plat::ResetKeyState();
  plat::SetHeadless(true);
  plat::ClearRecordedMessageBoxes();
}

std::string MadeFolder(const std::string& path) {
  std::filesystem::create_directories(path);
  return path;
}

}  // namespace

HostEnv::HostEnv() : cwd_(MadeFolder(tree_ / "bin")) { ResetProcess(); }

HostEnv::~HostEnv() { ResetProcess(); }

std::vector<std::string> MessageBoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : plat::RecordedMessageBoxes()) texts.push_back(box.text);
  return texts;
}

void HostEnv::WriteIni(const std::string& text) const { WriteFile(RootPath("Sim.ini"), text); }

}  // namespace testsupport
