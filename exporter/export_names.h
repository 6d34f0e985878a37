// The names one export derives from the host's output path, and the plug-in
// folder where rsdn.bat lives.
#ifndef GANNET_EXPORTER_EXPORT_NAMES_H_
#define GANNET_EXPORTER_EXPORT_NAMES_H_

#include <optional>
#include <string>
#include <string_view>

namespace exporter {

/// The two plug-in folders, searched in this order.
inline constexpr const char* kProgramFilesPluginFolder = "C:\\Program Files\\MarbleCLAY\\Plugin";
inline constexpr const char* kRootPluginFolder = "C:\\MarbleCLAY\\plugin";
/// The longest base name the console tool chain accepts.
inline constexpr std::size_t kMaxBaseNameLength = 7;
/// The characters a base name must not hold: the base name reaches command
/// lines unquoted, where cmd.exe would act on each of them (run a second
/// command, redirect, escape, expand a variable, open a block, match files,
/// open a quoted text), and no Windows file name holds the last three.
inline constexpr std::string_view kCommandCharacters = "&|<>^%()*?\"";

/// Names of one export, all Windows paths or parts of them.
struct ExportNames {
  /// The output path without its last four characters (whatever they are).
  std::string base_path;
  /// The base path's last component: the text after its last '\' or ':'.
  std::string base_name;
  /// The output path without its last component and without the delimiter
  /// before it; empty when the path has no folder part.
  std::string export_folder;
};

/// Splits the host's output path ("C:\\models\\ship.rsd") into its names.
ExportNames DeriveExportNames(const std::string& output_path);

/// The message that refuses `base_name` because it holds one of
/// kCommandCharacters (naming the name and the first such character);
/// nullopt when it holds none.
std::optional<std::string> CommandCharacterMessage(std::string_view base_name);

/// The first plug-in folder that holds rsdn.bat; nullopt when neither does.
std::optional<std::string> FindPluginFolder();

}  // namespace exporter

#endif  // GANNET_EXPORTER_EXPORT_NAMES_H_
