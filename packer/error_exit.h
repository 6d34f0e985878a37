// The one error exit of the packer. A failed check anywhere in the run calls
// exit_with_error, which unwinds to main so that every open file is closed
// before MORPHON.PCK is removed (an open file cannot be removed everywhere).
#ifndef PACKER_ERROR_EXIT_H_
#define PACKER_ERROR_EXIT_H_

#include <optional>
#include <string>

namespace morphon {

/// Name of the packer's output file in the current folder.
inline constexpr char kPckFileName[] = "MORPHON.PCK";

/// A failed run: the message and the file it concerns, either may be absent.
struct RunError {
  std::optional<std::string> message;
  std::optional<std::string> file;
};

/// Ends the run as failed: throws RunError, which main hands to
/// FinishFailedRun. `message` and `file` may be null. Never returns.
[[noreturn]] void exit_with_error(const char* message, const char* file = nullptr);

/// Removes MORPHON.PCK (a failure to remove is ignored), prints
/// "Error: %s \n" and "File: %s \n" for the parts that `error` holds, flushes
/// standard output and returns the exit status 1.
int FinishFailedRun(const RunError& error);

}  // namespace morphon

#endif  // PACKER_ERROR_EXIT_H_
