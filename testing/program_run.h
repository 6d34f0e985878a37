// Runs a program or a shell command as a child process and keeps how it
// ended and what it printed, for the tests that drive the built programs.
#ifndef GANNET_TESTING_PROGRAM_RUN_H_
#define GANNET_TESTING_PROGRAM_RUN_H_

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace gannet_testing {

/// How one run ended.
struct ProgramRun {
  /// The exit status; -1 when the program did not exit (a signal ended it).
  int exit_code = -1;
  /// Standard output, followed in order by standard error unless
  /// RunOptions::errors_apart was set.
  std::string output;
  /// Standard error when RunOptions::errors_apart was set; empty otherwise.
  std::string errors;
};

/// The surroundings of a run. The defaults run in the test's working folder
/// with its environment and an empty standard input.
struct RunOptions {
  /// The working folder; empty for the test's own.
  std::filesystem::path folder;
  /// Variables set (or replaced) in the child's environment.
  std::map<std::string, std::string> environment;
  /// Folders put before the PATH, in this order (stand-in programs).
  std::vector<std::filesystem::path> path_first;
  /// The bytes of standard input.
  std::string input;
  /// Keeps standard error apart in ProgramRun::errors.
  bool errors_apart = false;
};

/// Runs `program_and_arguments` (the program first, each word passed as is)
/// and waits for it. A program that cannot be started ends with status 127,
/// the shell's complaint in the output.
ProgramRun RunProgram(const std::vector<std::string>& program_and_arguments,
                      const RunOptions& options = {});

/// Runs `command` through /bin/sh -c and waits for it.
ProgramRun RunShell(const std::string& command, const RunOptions& options = {});

/// `text` in single quotes for /bin/sh, its own single quotes escaped.
std::string ShellQuoted(const std::string& text);

}  // namespace gannet_testing

#endif  // GANNET_TESTING_PROGRAM_RUN_H_
