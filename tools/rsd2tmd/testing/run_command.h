// For the tests of programs and scripts (POSIX): run a shell command and
// keep what it printed and how it ended.
#ifndef GANNET_TOOLS_RSD2TMD_TESTING_RUN_COMMAND_H_
#define GANNET_TOOLS_RSD2TMD_TESTING_RUN_COMMAND_H_

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace rsd2tmd::testing {

/// What a command printed (standard output and error, in order) and its
/// exit status (-1 when it did not exit).
struct Ran {
  std::string output;
  int status = -1;
};

/// Runs `command` through /bin/sh.
inline Ran RunCommand(const std::string& command) {
  Ran ran;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    return ran;
  }
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    ran.output.append(buffer, n);
  }
  const int status = pclose(pipe);
  ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return ran;
}

}  // namespace rsd2tmd::testing

#endif  // GANNET_TOOLS_RSD2TMD_TESTING_RUN_COMMAND_H_
