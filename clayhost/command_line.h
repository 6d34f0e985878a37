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
enum class Command { kHelp, kVersion, kInfo, kExport, kTool };

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

/// The plug-in folder below an installed clayhost's drive C:.
extern const char kPluginFolder[];

/// The path an export hands the plug-in for `--out`, which must end in the
/// exporter's extension: the plug-in cuts four characters off to make the
/// base name, so "out/abc" would become files "ou.rsd" ... beside out/.
struct ExportTarget {
  std::string path;
  bool appended = false;  ///< "." + extension was added to --out
  std::string problem;    ///< non-empty: --out names no file to export to
};

/// `out` when its file name ends in "." + `extension` (ASCII case ignored)
/// after at least one character, otherwise `out` + "." + `extension`. A
/// `out` with no file name (a folder "out/") or only the extension (".rsd")
/// is a problem. An empty `extension` takes `out` as it is.
ExportTarget TargetForOut(const std::string& out, const std::string& extension);

/// Parses the arguments after the program name: an Options, or the text of
/// a usage error. When export or tool names no --plugin, the plug-in is
/// Gannet.mcp or Skerry.mcp in `installed_plugins`, the plug-in folder of an
/// installed clayhost (empty: none, --plugin is required).
std::variant<Options, std::string> ParseCommandLine(const std::vector<std::string>& arguments,
                                                    const std::string& installed_plugins = {});

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_COMMAND_LINE_H_
