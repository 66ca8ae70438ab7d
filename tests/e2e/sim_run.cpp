#include "tests/e2e/sim_run.h"

#include <filesystem>
#include <utility>

#include "platform/gdi/png.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

const fs::path kBuiltTree = E2E_RUN_TREE;

}  // namespace

SimRun::SimRun() {
  const fs::path root = root_.path();
  fs::create_directories(root / "bin");
  fs::create_directories(root / "Lcd");
  fs::create_directories(root / "Snd");
  // A copy, not a link: the host finds its data next to its own program.
  fs::copy_file(kBuiltTree / "bin/tovsim", root / "bin/tovsim");
  fs::create_symlink(kBuiltTree / "Lcd/Lcd", root / "Lcd/Lcd");
  fs::create_symlink(kBuiltTree / "Snd/Snd", root / "Snd/Snd");
  fs::create_directory_symlink(kBuiltTree / "AppEntry", root / "AppEntry");
  if (fs::exists(kBuiltTree / "Games")) {
    fs::create_directory_symlink(kBuiltTree / "Games", root / "Games");
  }
}

SimRun::~SimRun() {
  instance_.MakeCurrent();
  // Asking the host to close ends its companions too; a host that does not
  // go is killed with its ChildProcess.
  if (plat::HWND host = plat::FindWindowA(kHostClass, kHostTitle)) {
    plat::PostMessageA(host, plat::WM_CLOSE, 0, 0);
    host_.Wait();
  }
}

bool SimRun::KillHost() {
  instance_.MakeCurrent();
  host_.Kill();
  if (host_.running()) return false;
  for (const auto& [cls, title] : {std::pair{kLcdClass, kLcdTitle}, std::pair{kSndClass, kSndTitle}}) {
    if (plat::HWND window = plat::FindWindowA(cls, title)) {
      plat::PostMessageA(window, plat::WM_CLOSE, 0, 0);
    }
  }
  return true;
}

void SimRun::RemoveSoundPlayer() { fs::remove(root_ / "Snd/Snd"); }

void SimRun::WriteIni(const std::string& text) { root_.Write("Sim.ini", text); }

void SimRun::AddGameLibrary() {
  fs::create_symlink(kBuiltTree / "dat.lib", fs::path(root_.path()) / "dat.lib");
}

bool SimRun::StartCompanions() {
  instance_.MakeCurrent();
  const testsupport::ProcessOptions ready = testsupport::AwaitReady();
  return viewer_.Start({root_ / "Lcd/Lcd", "--headless"}, ready) &&
         player_.Start({root_ / "Snd/Snd", "--headless"}, ready);
}

bool SimRun::StartHost(const std::vector<std::string>& args,
                       const std::vector<std::string>& extraEnv) {
  instance_.MakeCurrent();
  std::vector<std::string> argv{root_ / "bin/tovsim", "--headless"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env{"TOVSIM_HEADLESS=1"};
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  return host_.Start(argv, testsupport::AwaitReady(env));
}

RunResult SimRun::Simctl(const std::vector<std::string>& args) {
  instance_.MakeCurrent();
  std::vector<std::string> argv{SIMCTL_PROGRAM};
  argv.insert(argv.end(), args.begin(), args.end());
  return testsupport::RunToEnd(argv);
}

plat::Image SimRun::Screenshot() {
  const std::string path = root_ / ("shot" + std::to_string(shots_++) + ".png");
  if (Simctl({"screenshot", path}).exitCode != 0) return {};
  return plat::ReadPngFile(path).value_or(plat::Image());
}

plat::LRESULT SimRun::ViewerFrameCount() {
  instance_.MakeCurrent();
  plat::HWND viewer = plat::FindWindowA(kLcdClass, kLcdTitle);
  return viewer ? plat::SendMessageA(viewer, kLcdQueryFrameCount, 0, 0) : -1;
}

plat::LRESULT SimRun::PlayerChannel(int channel) {
  instance_.MakeCurrent();
  plat::HWND player = plat::FindWindowA(kSndClass, kSndTitle);
  return player ? plat::SendMessageA(player, kSndQueryChannel, plat::WPARAM(channel), 0) : -1;
}

}  // namespace e2e
