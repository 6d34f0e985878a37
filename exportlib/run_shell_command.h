// Runs a command line through the command interpreter and captures its output.
#ifndef GANNET_EXPORTLIB_RUN_SHELL_COMMAND_H_
#define GANNET_EXPORTLIB_RUN_SHELL_COMMAND_H_

#include <string>

namespace exportlib {

/// Runs "cmd.exe /C " + `command` hidden, with `working_folder` (a Windows
/// path) as its current folder, and returns what it wrote to standard output
/// and standard error, merged in arrival order. Reads at most 255 bytes at a
/// time and keeps each chunk up to its first zero byte. Returns only after the
/// command and every process still holding the output pipe have ended; no
/// time limit. Empty when the process cannot be started (a missing working
/// folder included); then nothing is waited for. The exit status is never read.
///
/// POSIX: the command runs through /bin/sh -c in the mapped working folder;
/// each double-quoted drive-letter path in it is mapped (windows_path.h), and
/// `dir` lists the files named (a missing file's name is not printed).
std::string RunShellCommand(const std::string& command, const std::string& working_folder);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_RUN_SHELL_COMMAND_H_
