#include "exportlib/checked_output.h"

#include <optional>
#include <utility>

#include "exportlib/export_stop.h"

namespace exportlib {

CheckedOutput CreateCheckedOutput(const std::string& path) {
  std::optional<platform::OutputFile> file = platform::OutputFile::Create(path);
  if (!file) {
    throw ExportStop("Error: Can not create the file " + path);
  }
  return {path, std::move(*file)};
}

void CloseCheckedOutput(CheckedOutput& output) {
  if (!output.file.Close()) {
    throw ExportStop("Error: Can not write the file " + output.path);
  }
}

}  // namespace exportlib
