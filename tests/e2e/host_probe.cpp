// A host without applications, for start-up tests that run it as its own
// process in a scratch run tree: its application thread closes the host at
// once. Exits with HostMain's result.

#include "host/host_main.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/program_env.h"

int main() {
  plat::ApplyProgramEnv(plat::ReadProgramEnv());
  plat::SetHeadless(true);
  SetHostEntry(nullptr);
  return HostMain(nullptr);
}
