// Runs a plug-in inside the substitute host, the way a user does, and
// collects what it printed and the message boxes it showed.
#ifndef GANNET_TESTING_CLAYHOST_RUN_H_
#define GANNET_TESTING_CLAYHOST_RUN_H_

#include <filesystem>
#include <string>
#include <vector>

#include "testing/host_transcript.h"

namespace gannet_testing {

/// One `clayhost export` or `clayhost tool` call.
struct HostCall {
  /// "export" or "tool".
  std::string command;
  std::filesystem::path plugin;
  std::filesystem::path scene;
  /// The folder drive C: maps to (--drive C=...).
  std::filesystem::path drive_c;
  /// Further options, after the scene ("--out", "x.rsd", "--answer",
  /// "Launch NO$PSX?=no").
  std::vector<std::string> arguments;
  /// Folders put before the PATH (stand-ins for the outside programs).
  std::vector<std::filesystem::path> path_first;
};

/// What one run left behind.
struct HostRun {
  /// -1 when the host did not exit.
  int exit_code = -1;
  /// Standard output followed by standard error.
  std::string output;
  /// The boxes in the order shown, from the run's transcript.
  std::vector<ShownBox> boxes;
};

/// Runs `clayhost` (the program's path) for `call`:
/// `clayhost COMMAND --plugin P --scene S ARGUMENTS... --drive C=D
/// --transcript T`, standard input empty, and reads the transcript back.
HostRun RunClayhost(const std::filesystem::path& clayhost, const HostCall& call);

}  // namespace gannet_testing

#endif  // GANNET_TESTING_CLAYHOST_RUN_H_
