#include "tests/e2e/sim_run.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "host/companion_records.h"
#include "platform/gdi/png.h"
#include "platform/win/win.h"
#include "viewer/companion_queries.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

const fs::path kBuiltTree = E2E_RUN_TREE;

std::string MakeScratchFolder() {
  char pattern[] = "/tmp/tovsim-e2e-XXXXXX";
  return mkdtemp(pattern) ? pattern : "";
}

}  // namespace

SimRun::SimRun() : root_(MakeScratchFolder()) {
  const fs::path root = root_;
  try {
    fs::create_directories(root / "bin");
    fs::create_directories(root / "Lcd");
    fs::create_directories(root / "Snd");
    // A copy, not a link: the host finds its data next to its own program.
    fs::copy_file(kBuiltTree / "bin/tovsim", root / "bin/tovsim");
    fs::create_symlink(kBuiltTree / "Lcd/Lcd", root / "Lcd/Lcd");
    fs::create_symlink(kBuiltTree / "Snd/Snd", root / "Snd/Snd");
    fs::create_directory_symlink(kBuiltTree / "AppEntry", root / "AppEntry");
  } catch (const fs::filesystem_error&) {
    // No destructor runs for a half-made run: take its folder away here.
    std::error_code ignored;
    fs::remove_all(root, ignored);
    throw;
  }
}

SimRun::~SimRun() {
  // Asking the host to close ends its companions too; a host that does not
  // go is killed with the ChildProcess.
  if (plat::HWND host = plat::FindWindowA("SimClass", "Sim")) {
    plat::PostMessageA(host, plat::WM_CLOSE, 0, 0);
    host_.Wait();
  }
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void SimRun::RemoveSoundPlayer() { fs::remove(fs::path(root_) / "Snd/Snd"); }

void SimRun::WriteIni(const std::string& text) {
  std::ofstream(fs::path(root_) / "Sim.ini") << text;
}

bool SimRun::StartViewer(ChildProcess* viewer) {
  return viewer->Start({root_ + "/Lcd/Lcd", "--headless"}, {},
                       root_ + "/viewer" + std::to_string(outputs_++), true);
}

bool SimRun::StartPlayer(ChildProcess* player) {
  return player->Start({root_ + "/Snd/Snd", "--headless"}, {},
                       root_ + "/player" + std::to_string(outputs_++), true);
}

bool SimRun::StartHost(const std::vector<std::string>& args,
                       const std::vector<std::string>& extraEnv) {
  std::vector<std::string> argv{root_ + "/bin/tovsim", "--headless"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env{"TOVSIM_HEADLESS=1"};
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  return host_.Start(argv, env, root_ + "/host", true);
}

RunResult SimRun::Simctl(const std::vector<std::string>& args) {
  std::vector<std::string> argv{SIMCTL_PROGRAM};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunToEnd(argv, root_ + "/simctl" + std::to_string(outputs_++));
}

plat::Image SimRun::Screenshot() {
  const std::string path = root_ + "/shot" + std::to_string(outputs_++) + ".png";
  if (Simctl({"screenshot", path}).exitCode != 0) return {};
  return plat::ReadPngFile(path).value_or(plat::Image());
}

plat::LRESULT SimRun::ViewerFrameCount() {
  plat::HWND viewer = plat::FindWindowA(kLcdClass, kLcdTitle);
  return viewer ? plat::SendMessageA(viewer, kLcdQueryFrameCount, 0, 0) : -1;
}

plat::LRESULT SimRun::PlayerChannel(int channel) {
  plat::HWND player = plat::FindWindowA(kSndClass, kSndTitle);
  return player ? plat::SendMessageA(player, kSndQueryChannel, plat::WPARAM(channel), 0) : -1;
}

}  // namespace e2e
