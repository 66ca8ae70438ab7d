// A second process for the shared-memory and process-start tests.
//
//   sys_peer shm-check NAMEHEX SIZE   open the block, check size and pattern,
//                                     then mark byte 0 with 0xEE
//   sys_peer shm-open NAMEHEX         exit 0 when the block can be opened
//   sys_peer ready REPORT FIFO ARGS   write the show mode and ARGS to REPORT,
//                                     report ready, wait for FIFO to close
//   sys_peer exit                     exit at once without reporting ready
//   sys_peer fork-hold FIFO           leave a forked child holding the ready
//                                     channel until FIFO closes, then exit

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "codec/hex.h"
#include "platform/sys/process.h"
#include "platform/sys/program_env.h"
#include "platform/sys/shm.h"

namespace {

void WaitForClose(const char* fifo) {
  int fd = open(fifo, O_RDONLY);
  char byte;
  while (fd >= 0 && read(fd, &byte, 1) > 0) {
  }
  if (fd >= 0) close(fd);
}

int ShmCheck(const char* nameHex, const char* sizeText) {
  std::string name = codec::HexDecode<std::string>(nameHex).value_or("");
  plat::FileMapping* mapping = plat::OpenFileMappingA(name.c_str());
  if (!mapping) return 1;
  auto* view = static_cast<unsigned char*>(plat::MapViewOfFile(mapping));
  std::size_t size = std::strtoul(sizeText, nullptr, 10);
  if (!view || plat::ViewSize(view) != size) return 2;
  for (std::size_t i = 0; i < size; ++i) {
    if (view[i] != static_cast<unsigned char>(i % 251)) return 3;
  }
  view[0] = 0xEE;
  plat::UnmapViewOfFile(view);
  plat::CloseFileMapping(mapping);
  return 0;
}

int Ready(int argc, char** argv) {
  FILE* report = std::fopen(argv[2], "w");
  if (!report) return 1;
  std::fprintf(report, "%d\n", plat::StartShowMode());
  for (int i = 4; i < argc; ++i) std::fprintf(report, "%s\n", argv[i]);
  std::fclose(report);
  plat::NotifyParentReady();
  plat::NotifyParentReady();
  WaitForClose(argv[3]);
  return 0;
}

int ForkHold(const char* fifo) {
  pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    WaitForClose(fifo);
    _exit(0);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  plat::ApplyProgramEnv(plat::ReadProgramEnv());
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs("usage: sys_peer shm-check|shm-open|ready|exit|fork-hold ARGS (see the source)\n",
               argc < 2 ? stderr : stdout);
    return argc < 2 ? 64 : 0;
  }
  // A peer whose test failed before releasing it must not live on and keep
  // the test runner's output open: end it after a generous while.
  alarm(120);
  std::string mode = argv[1];
  if (mode == "shm-check" && argc == 4) return ShmCheck(argv[2], argv[3]);
  if (mode == "shm-open" && argc == 3) {
    plat::FileMapping* mapping = plat::OpenFileMappingA(codec::HexDecode<std::string>(argv[2]).value_or("").c_str());
    plat::CloseFileMapping(mapping);
    return mapping ? 0 : 1;
  }
  if (mode == "ready" && argc >= 4) return Ready(argc, argv);
  if (mode == "exit") return 0;
  if (mode == "fork-hold" && argc == 3) return ForkHold(argv[2]);
  return 64;
}
