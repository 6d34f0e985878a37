#include "exporter/export_names.h"

#include "exportlib/path_parts.h"
#include "platform/file_system.h"

namespace exporter {

ExportNames DeriveExportNames(const std::string& output_path) {
  ExportNames names;
  names.base_path = exportlib::BasePath(output_path);
  names.base_name = exportlib::LastComponent(names.base_path);
  // The folder keeps a drive's colon ("C:") but not the backslash before the
  // file name.
  const std::size_t start = exportlib::LastComponentStart(output_path);
  names.export_folder = output_path.substr(0, start);
  if (!names.export_folder.empty() && names.export_folder.back() == '\\') {
    names.export_folder.pop_back();
  }
  return names;
}

std::optional<std::string> CommandCharacterMessage(std::string_view base_name) {
  const std::size_t at = base_name.find_first_of(kCommandCharacters);
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  return "Error: Filename " + std::string(base_name) + " holds the character " + base_name[at] +
         ", it must not hold any of & | < > ^ % ( ) * ? \".";
}

std::optional<std::string> FindPluginFolder() {
  for (const char* folder : {kProgramFilesPluginFolder, kRootPluginFolder}) {
    if (platform::FileExists(std::string(folder) + "\\rsdn.bat")) {
      return std::string(folder);
    }
  }
  return std::nullopt;
}

}  // namespace exporter
