#pragma once
// A private instance and run tree for a test of the host in this process.
// The current folder is the tree's bin/, so ..\Sim.ini is the tree's root;
// message boxes are headless and their record starts empty. At the start
// and at the end every host module is put back as a fresh process has it
// (ResetHost), and so are the platform's key state and clock.

#include <string>
#include <vector>

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"
#include "tests/support/test_instance.h"

namespace testsupport {

class HostEnv {
 public:
  HostEnv();
  ~HostEnv();
  HostEnv(const HostEnv&) = delete;
  HostEnv& operator=(const HostEnv&) = delete;

  // Writes ..\Sim.ini.
  void WriteIni(const std::string& text) const;
  // A path inside the run tree's root (the parent of the current folder).
  std::string RootPath(const std::string& name) const { return tree_ / name; }
  // A path inside the current folder.
  std::string BinPath(const std::string& name) const { return tree_ / ("bin/" + name); }

 private:
  TestInstance instance_;
  ScratchDir tree_{"tree"};
  ScopedCwd cwd_;
};

// The texts of the message boxes shown since the HostEnv started, in order.
std::vector<std::string> MessageBoxTexts();

}  // namespace testsupport
