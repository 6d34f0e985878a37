// img2tim's command line:
//   img2tim [-bpp 4|8|16] [-org X Y] [-plt X Y] [-tcol R G B] [-tindex N]
//           [-usealpha] [-alpt N] [-b] [-t] [-o OUT] IN
//   img2tim --version
//   img2tim                  (the usage, with status 0)
// Option names may be written in any case.
#ifndef GANNET_TOOLS_IMG2TIM_COMMAND_LINE_H_
#define GANNET_TOOLS_IMG2TIM_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

#include "tools/img2tim/tim_image.h"

namespace img2tim {

struct Arguments {
  TimSettings settings;
  std::string input;
  std::string output;         // IN with its extension replaced by ".tim" when -o is not given
  bool show_version = false;  // --version, the only argument: print the version, convert nothing
  bool show_usage = false;    // no arguments at all: print the usage, convert nothing
};

/// Why a command line was refused.
struct CommandLineError {
  std::string message;      // one line starting with "Invalid"
  bool with_usage = false;  // the line's shape is wrong (an unknown option, no input), not a value
};

/// Parses the arguments after the program name; nullopt with `error` set on
/// a malformed command line.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        CommandLineError& error);

/// The usage text.
std::string Usage();

/// The line that --version prints: "img2tim " and the tool chain's version.
std::string VersionLine();

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_COMMAND_LINE_H_
