// Finding root objects by name and handing each match to its writer.
#ifndef GANNET_BATCHTOOL_EXPORT_BY_NAME_H_
#define GANNET_BATCHTOOL_EXPORT_BY_NAME_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "hostplugin/host_api.h"

namespace batchtool {

/// The two model writers that export lines reach. The shipped tool binds
/// ExportObjModel and the batch variant of exporter::ExportRsdModel; their
/// outcome is theirs (they tell the user themselves), the script goes on.
struct ObjectWriters {
  std::function<void(mcp::Handle scene, std::int32_t index, const std::string& path, double scale)>
      write_obj;
  std::function<void(mcp::Handle scene, std::int32_t index, const std::string& path, double scale,
                     std::int32_t launch_mode)>
      write_rsd;
};

/// Exports every root object of `scene` whose "Name" (default "(noname)"),
/// lower-cased and trimmed, equals `requested_name` (lower-case already), in
/// index order, each to `asset_folder` + "\" + `file_name`: through write_rsd
/// when `kind` contains "rsd", else through write_obj (`launch_mode` is then
/// unused). Returns the lookup report: empty when at least one object
/// matched, else the body of the not-found message.
std::string ExportRootObjectByName(std::string_view kind, const mcp::HostApi& host,
                                   mcp::Handle scene, std::string_view requested_name,
                                   std::string_view asset_folder, std::string_view file_name,
                                   double scale, std::int32_t launch_mode,
                                   const ObjectWriters& writers);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_EXPORT_BY_NAME_H_
