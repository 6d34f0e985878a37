// The command line of clayhost.
#ifndef GANNET_CLAYHOST_COMMAND_LINE_H_
#define GANNET_CLAYHOST_COMMAND_LINE_H_

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "clayhost/message_boxes.h"

namespace clayhost {

/// What clayhost is asked to do.
enum class Command { kHelp, kInfo, kExport, kTool };

/// A parsed command line.
struct Options {
  Command command = Command::kHelp;
  std::string plugin;
  std::string scene;
  std::string out;
  float scale = 1.0f;
  std::uint32_t host_version = 0x50600;
  /// Drive letter (upper case) and folder, in the order given.
  std::vector<std::pair<char, std::string>> drives;
  /// Answers by caption (8-bit text).
  std::map<std::string, BoxAnswer> answers;
  std::string transcript;
};

/// The text that --help prints.
extern const char kUsage[];

/// Parses the arguments after the program name: an Options, or the text of
/// a usage error.
std::variant<Options, std::string> ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_COMMAND_LINE_H_
