#pragma once
// How much the threads of some processes ran, read from /proc: context
// switches per thread and CPU time per process. Two samples that are equal
// mean that no thread was scheduled in between.

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ThreadSample {
  pid_t pid = 0;
  std::string name;        // the thread's comm
  char state = '?';        // R running, S sleeping, ...
  uint64_t switches = 0;   // voluntary + nonvoluntary context switches
};

struct ActivitySample {
  std::map<pid_t, ThreadSample> threads;  // by thread id
  std::map<pid_t, uint64_t> cpuTicks;     // utime + stime, by process id
};

// Every thread of the processes `pids`; a process that has ended is missing.
ActivitySample SampleActivity(const std::vector<pid_t>& pids);

// Waits until every thread of `pids` sleeps and stays asleep from one reading
// to the next, and returns that reading; nullopt after `timeoutMs`. A program
// reports idle just before its threads go back to sleep, and a tool that
// asked it leaves behind a connection to close: this waits those out.
std::optional<ActivitySample> AwaitQuiet(const std::vector<pid_t>& pids, int timeoutMs);

// One line per thread that ran, started or ended between the samples, and per
// process whose CPU time grew: ids, names, and where the thread waits now
// (wchan and syscall). Empty when nothing ran.
std::vector<std::string> DescribeActivity(const ActivitySample& before,
                                          const ActivitySample& after);

}  // namespace e2e
