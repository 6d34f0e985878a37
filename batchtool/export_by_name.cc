#include "batchtool/export_by_name.h"

#include "exportlib/object_attributes.h"
#include "exportlib/text_rules.h"

namespace batchtool {

std::string ExportRootObjectByName(std::string_view kind, const mcp::HostApi& host,
                                   mcp::Handle scene, std::string_view requested_name,
                                   std::string_view asset_folder, std::string_view file_name,
                                   double scale, std::int32_t launch_mode,
                                   const ObjectWriters& writers) {
  const bool rsd = kind.find("rsd") != std::string_view::npos;
  const std::string path = std::string(asset_folder) + "\\" + std::string(file_name);
  bool matched = false;
  const std::int32_t count = host.GetRootObjectCount(scene);
  for (std::int32_t index = 0; index < count; ++index) {
    const mcp::Handle object = host.GetRootObject(scene, index);
    const std::string name = exportlib::LowerAscii(
        exportlib::TrimControl(exportlib::ReadTextAttribute(host, object, "Name", "(noname)")));
    if (!exportlib::EqualsIgnoringAsciiCase(name, requested_name)) {
      continue;
    }
    matched = true;
    if (rsd) {
      writers.write_rsd(scene, index, path, scale, launch_mode);
    } else {
      writers.write_obj(scene, index, path, scale);
    }
  }
  if (matched) {
    return {};
  }
  return "\r\nExact root object name not found in your model: " + std::string(requested_name);
}

}  // namespace batchtool
