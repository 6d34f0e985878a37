// The help text of the packer, shown for an empty command line and when the
// folder holds no TMD files.
#ifndef PACKER_HELP_H_
#define PACKER_HELP_H_

namespace morphon {

/// Prints the help text and ends the process. With no message (null) it
/// pauses three times for a character from standard input and exits with
/// status 0; with a message it prints everything without pausing, then
/// "\nERROR: \n%s\n" with the message, and exits with status 1.
[[noreturn]] void show_help(const char* message);

}  // namespace morphon

#endif  // PACKER_HELP_H_
