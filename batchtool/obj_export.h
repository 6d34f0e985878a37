// The OBJ and MTL writer of the batch tool.
#ifndef GANNET_BATCHTOOL_OBJ_EXPORT_H_
#define GANNET_BATCHTOOL_OBJ_EXPORT_H_

#include <cstdint>
#include <string>

#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"

namespace batchtool {

/// Writes root object `index` of `scene` as base path + ".obj" with its
/// material library base path + ".mtl" (the base path is `output_path`
/// without its last four characters) and saves its textures as base path +
/// k + ".bmp", each confirmed by a " dir " listing. Every face gets its own
/// vertices, quads become two triangles, the winding is reversed and the
/// coordinates are multiplied by 10 × `scale`. A base name holding one of
/// exporter::kCommandCharacters is refused before any file is created, and a
/// coordinate that is not finite after scaling stops the export before its
/// line (exporter::NonFiniteVertexMessage). Problems are shown through
/// `channel` and end this export with its files closed as far as written;
/// nothing is returned because the script goes on either way.
void ExportObjModel(const mcp::HostApi& host, mcp::Handle scene, std::int32_t index,
                    const std::string& output_path, double scale,
                    const exportlib::UserChannel& channel);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_OBJ_EXPORT_H_
