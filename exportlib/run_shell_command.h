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
/// POSIX: the command keeps the meaning cmd.exe gives it. Only cmd's
/// operators act (`&`, `&&`, `|`, `||`, `<`, `>`, `>>`, a handle digit before
/// `>` as in `2>`, `>&2`, and `^` escaping the next character); double quotes
/// group a word and are removed; every other character reaches the program
/// literally, so nothing of sh (globs, `$`, backticks, quotes, parentheses)
/// ever acts. Each double-quoted drive-letter path is mapped
/// (windows_path.h), the command runs in the mapped working folder, and `dir`
/// lists the files named (a missing file's name is not printed). A line cmd
/// would refuse (an operator with no command before it, a redirection without
/// a file) starts nothing and yields cmd's message.
std::string RunShellCommand(const std::string& command, const std::string& working_folder);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_RUN_SHELL_COMMAND_H_
