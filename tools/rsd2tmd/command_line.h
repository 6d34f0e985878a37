// The command line of rsd2tmd: MODEL.rsd [-o MODEL.tmd] [-s FACTOR], where
// "--" ends the options, so that a model named like an option ("-rf.rsd")
// can be converted.
#ifndef GANNET_TOOLS_RSD2TMD_COMMAND_LINE_H_
#define GANNET_TOOLS_RSD2TMD_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

namespace rsd2tmd {

/// What to convert, where to, and the vertex factor.
struct Arguments {
  std::string rsd;
  std::string output;  ///< default: the RSD name with .tmd for .rsd
  double factor = 1;
  bool show_version = false;  ///< --version: print the version line and convert nothing
};

/// Parses the arguments after the program name; nullopt with `error` set
/// for a missing or extra file, an unknown option, an option without its
/// value, or a factor that is not a positive finite number.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error);

/// "rsd2tmd VERSION" and a line end.
std::string VersionLine();

/// The usage text, one line per form.
std::string Usage();

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_COMMAND_LINE_H_
