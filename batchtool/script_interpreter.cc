#include "batchtool/script_interpreter.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "batchtool/export_arguments.h"
#include "batchtool/script_lines.h"
#include "exportlib/number_format.h"
#include "exportlib/text_rules.h"
#include "platform/file_system.h"

namespace batchtool {
namespace {

using exportlib::FromPosition;
using exportlib::LowerAscii;
using exportlib::TrimControl;

constexpr std::string_view kAssetPath = "!assetpath ";
constexpr std::string_view kEcho = "!echo";
constexpr std::string_view kQuit = "!quit";
constexpr std::string_view kExit = "!exit";
constexpr std::string_view kObjExport = "!objexport";
constexpr std::string_view kRsdExport = "!rsdexport";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// A scale beyond the range of a double would write INF and NAN coordinates:
// it is no number either.
std::optional<double> ReadScale(std::string_view text) {
  const auto value = exportlib::ParseReal(text);
  if (!value || !std::isfinite(static_cast<double>(*value))) {
    return std::nullopt;
  }
  return static_cast<double>(*value);
}

std::string NotANumber(std::string_view text, bool integer) {
  return "'" + std::string(text) + "' is not a valid " +
         (integer ? "integer value" : "floating point value");
}

// The state that carries from line to line of one run.
class ScriptRun {
 public:
  explicit ScriptRun(const ScriptContext& context) : context_(context) {}

  ScriptOutcome Run(std::string_view script) {
    for (const std::string_view line : SplitScriptLines(script)) {
      ++line_number_;
      const std::string_view trimmed = TrimControl(line);
      const std::string command(TrimControl(LowerAscii(trimmed)));
      if (command.empty() || command.front() == '#') {
        continue;
      }
      if (!HandleLine(trimmed, command)) {
        return ScriptOutcome::kStopped;
      }
    }
    return ScriptOutcome::kCompleted;
  }

 private:
  // False when the line stops the run.
  bool HandleLine(std::string_view trimmed, const std::string& command) {
    if (Contains(command, kAssetPath)) {
      return SetAssetFolder(command);
    }
    if (Contains(command, kEcho)) {
      echo_ = TrimControl(FromPosition(command, kEcho.size() + 1));
      return true;
    }
    if (Contains(command, kQuit) || Contains(command, kExit)) {
      return false;
    }
    if (Contains(command, kObjExport)) {
      return Export("obj", command, /*with_launch_mode=*/false);
    }
    if (Contains(command, kRsdExport)) {
      return Export("rsd", command, /*with_launch_mode=*/true);
    }
    RunCommandLine(trimmed);
    return true;
  }

  bool SetAssetFolder(const std::string& command) {
    asset_folder_ = TrimControl(FromPosition(command, kAssetPath.size()));
    if (platform::FolderExists(asset_folder_) || platform::CreateFolder(asset_folder_)) {
      return true;
    }
    Show("ERROR:  In line: " + std::to_string(line_number_) +
         " - Folder doesnt exist and could not be created:  " + asset_folder_);
    return false;
  }

  bool Export(std::string_view kind, const std::string& command, bool with_launch_mode) {
    const ExportArgumentTexts texts = CutExportArguments(command, with_launch_mode);
    const auto scale = ReadScale(texts.scale);
    if (!scale) {
      ShowLineError(command, NotANumber(texts.scale, /*integer=*/false));
      return false;
    }
    std::int32_t launch_mode = 0;
    if (with_launch_mode) {
      const auto mode = exportlib::ParseInteger32(texts.launch_mode);
      if (!mode) {
        ShowLineError(command, NotANumber(texts.launch_mode, /*integer=*/true));
        return false;
      }
      launch_mode = *mode;
    }
    const std::string report =
        ExportRootObjectByName(kind, context_.host, context_.scene, texts.name, asset_folder_,
                               texts.file_name, *scale, launch_mode, context_.writers);
    if (!report.empty()) {
      ShowLineError(command, report);
      return false;
    }
    return true;
  }

  void RunCommandLine(std::string_view trimmed) {
    const std::string line(trimmed);
    // Before any "!assetpath " the command runs where the host runs.
    const std::string folder = asset_folder_.empty() ? "." : asset_folder_;
    const std::string output = context_.channel.run_command(line, folder);
    if (Contains(echo_, "on")) {
      Show(" " + line + "\r\n" + output);
    }
  }

  void ShowLineError(const std::string& command, const std::string& body) {
    Show("ERROR:  In line: " + std::to_string(line_number_) + "  " + command + "\r\n" + body);
  }

  void Show(const std::string& text) { context_.channel.show_message(text); }

  const ScriptContext& context_;
  std::int32_t line_number_ = 0;
  std::string echo_ = "on";
  std::string asset_folder_;
};

}  // namespace

ScriptOutcome RunScript(std::string_view script, const ScriptContext& context) {
  return ScriptRun(context).Run(script);
}

}  // namespace batchtool
