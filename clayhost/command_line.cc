#include "clayhost/command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "clayhost/ansi_text.h"

namespace clayhost {

const char kUsage[] =
    "usage: clayhost info PLUGIN [options]\n"
    "       clayhost export --plugin FILE --scene FILE --out PATH [--scale X] [options]\n"
    "       clayhost tool --plugin FILE --scene FILE [options]\n"
    "       clayhost --version\n"
    "\n"
    "Plays the MarbleClay host for a plug-in (.mcp): loads it, hands it the host\n"
    "callbacks, and serves it a scene read from a JSON or Wavefront OBJ file.\n"
    "\n"
    "  info           print every record the plug-in describes itself with\n"
    "  export         call MCP_ExecuteExport with the scene, PATH and scale X\n"
    "                 (default 1.0); PATH reaches the plug-in as Z:\\... and gets\n"
    "                 the exporter's extension (.rsd) when it lacks it\n"
    "  tool           call MCP_ToolSwitch with switch state 1 and the scene\n"
    "\n"
    "options:\n"
    "  --host-version V       host version for MCP_PluginEntry (default 0x50600)\n"
    "  --drive LETTER=DIR     map drive LETTER: to folder DIR for this run\n"
    "  --answer CAPTION=WORD  answer boxes with that caption: ok, yes, no or cancel\n"
    "                         (repeatable; other boxes get their first button)\n"
    "  --transcript FILE      write every message box to FILE as a JSON line\n"
    "  --help                 print this text\n"
    "\n"
    "An installed clayhost needs no --plugin: export runs its Gannet.mcp, tool its\n"
    "Skerry.mcp. It also serves its share/gannet folder as drive C:, where the\n"
    "plug-ins find rsdn.bat, unless --drive C=DIR or GANNET_DRIVE_C maps C:.\n"
    "\n"
    "The commands the plug-in runs may report to the user in the file named by\n"
    "GANNET_HOST_REPORT; the host prints the report after the working call.\n"
    "\n"
    "Exit status: 0 when the working call answered 1 (info: when the plug-in was\n"
    "described), 1 when it answered 0, 2 for a usage error, a bad scene or a\n"
    "plug-in that cannot be loaded, 3 when it answered 1 but the run failed: an\n"
    "error box (an OK box whose text begins with \"error\" in any case or ends in\n"
    "\"-ERROR-\"), a report line beginning with \"ERROR\", a texture the host\n"
    "could not save, or a transcript it could not write.\n";

const char kPluginFolder[] = "MarbleCLAY/plugin";

namespace {

bool ParseScale(const std::string& text, float* scale) {
  char* end = nullptr;
  errno = 0;
  const float value = std::strtof(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(value)) {
    return false;
  }
  *scale = value;
  return true;
}

bool ParseHostVersion(const std::string& text, std::uint32_t* version) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
  if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 || value > 0xFFFFFFFFull) {
    return false;
  }
  *version = static_cast<std::uint32_t>(value);
  return true;
}

std::optional<std::string> AddDrive(const std::string& text, Options* options) {
  const char letter = text.empty() ? '\0' : text[0];
  const bool is_letter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
  if (text.size() < 3 || !is_letter || text[1] != '=') {
    return "--drive wants LETTER=DIR, not \"" + text + "\"";
  }
  options->drives.emplace_back(static_cast<char>(letter & ~0x20), text.substr(2));
  return std::nullopt;
}

std::optional<std::string> AddAnswer(const std::string& text, Options* options) {
  // Captions may hold "=", answers never do.
  const std::size_t equals = text.rfind('=');
  if (equals == std::string::npos || equals == 0) {
    return "--answer wants CAPTION=ANSWER, not \"" + text + "\"";
  }
  const auto answer = ParseBoxAnswer(text.substr(equals + 1));
  if (!answer) {
    return "--answer \"" + text + "\": the answer must be ok, yes, no or cancel";
  }
  const std::string caption = text.substr(0, equals);
  options->answers[Utf8ToLatin1(caption).value_or(caption)] = *answer;
  return std::nullopt;
}

std::optional<std::string> CheckRequired(const Options& options) {
  if (options.plugin.empty()) {
    return "no plug-in named";
  }
  if (options.command == Command::kInfo) {
    return std::nullopt;
  }
  if (options.scene.empty()) {
    return "--scene FILE is missing";
  }
  if (options.command == Command::kExport && options.out.empty()) {
    return "--out PATH is missing";
  }
  return std::nullopt;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& ending) {
  if (text.size() < ending.size()) {
    return false;
  }
  for (std::size_t i = 0; i < ending.size(); ++i) {
    const char a = text[text.size() - ending.size() + i];
    const char b = ending[i];
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a) != lower(b)) {
      return false;
    }
  }
  return true;
}

}  // namespace

ExportTarget TargetForOut(const std::string& out, const std::string& extension) {
  ExportTarget target{out, false, ""};
  const std::size_t slash = out.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? out : out.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") {
    target.problem = "--out " + out + " names a folder; give a file name ending in ." + extension;
    return target;
  }
  if (extension.empty()) {
    return target;
  }
  const std::string ending = "." + extension;
  if (!EndsWithIgnoringCase(name, ending)) {
    target.path += ending;
    target.appended = true;
  } else if (name.size() == ending.size()) {
    target.problem = "--out " + out + " names no file before " + ending;
  }
  return target;
}

std::variant<Options, std::string> ParseCommandLine(const std::vector<std::string>& arguments,
                                                    const std::string& installed_plugins) {
  Options options;
  if (arguments.empty()) {
    return std::string("no command given");
  }
  const std::string& command = arguments[0];
  if (command == "--help" || command == "help") {
    return options;
  }
  if (command == "--version" && arguments.size() == 1) {
    options.command = Command::kVersion;
    return options;
  }
  if (command == "info") {
    options.command = Command::kInfo;
  } else if (command == "export") {
    options.command = Command::kExport;
  } else if (command == "tool") {
    options.command = Command::kTool;
  } else {
    return "unknown command \"" + command + "\"";
  }
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help") {
      options.command = Command::kHelp;
      return options;
    }
    const bool takes_value = argument == "--plugin" || argument == "--scene" ||
                             argument == "--out" || argument == "--scale" ||
                             argument == "--host-version" || argument == "--drive" ||
                             argument == "--answer" || argument == "--transcript";
    if (!takes_value) {
      if (options.command == Command::kInfo && options.plugin.empty() && !argument.empty() &&
          argument[0] != '-') {
        options.plugin = argument;
        continue;
      }
      return "unknown argument \"" + argument + "\"";
    }
    if (i + 1 == arguments.size()) {
      return argument + " needs a value";
    }
    const std::string& value = arguments[++i];
    std::optional<std::string> problem;
    if (argument == "--plugin") {
      options.plugin = value;
    } else if (argument == "--scene") {
      options.scene = value;
    } else if (argument == "--out") {
      options.out = value;
    } else if (argument == "--scale") {
      if (!ParseScale(value, &options.scale)) {
        problem = "--scale \"" + value + "\" is not a number";
      }
    } else if (argument == "--host-version") {
      if (!ParseHostVersion(value, &options.host_version)) {
        problem = "--host-version \"" + value + "\" is not a 32-bit number";
      }
    } else if (argument == "--drive") {
      problem = AddDrive(value, &options);
    } else if (argument == "--answer") {
      problem = AddAnswer(value, &options);
    } else {
      options.transcript = value;
    }
    if (problem) {
      return *problem;
    }
  }
  if (options.plugin.empty() && !installed_plugins.empty() && options.command != Command::kInfo) {
    options.plugin =
        installed_plugins + (options.command == Command::kExport ? "/Gannet.mcp" : "/Skerry.mcp");
  }
  if (const auto problem = CheckRequired(options)) {
    return *problem;
  }
  return options;
}

}  // namespace clayhost
