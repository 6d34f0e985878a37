// What the passes of one OBJ export share. Internal to the OBJ writer.
#ifndef GANNET_BATCHTOOL_OBJ_JOB_H_
#define GANNET_BATCHTOOL_OBJ_JOB_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exportlib/export_stop.h"
#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"
#include "platform/file_system.h"

namespace batchtool::obj {

/// One export of one object.
struct ObjJob {
  const mcp::HostApi& host;
  mcp::Handle scene;
  mcp::Handle object;
  const exportlib::UserChannel& channel;
  std::string base_path;
  std::string base_name;
  /// 10 × the script's scale.
  double factor;
  std::int32_t face_count;
  platform::OutputFile& obj;
  platform::OutputFile& mtl;
  /// Names of the textures saved so far; a name's position is its number.
  std::vector<std::string> textures;
};

/// The material name up to its first "~", trimmed.
std::string EntryName(std::string_view raw_name);
/// The material's name; empty when the host gives none.
std::string MaterialName(const mcp::MaterialRecord& material);

/// Writes the MTL entries of every material of the scene, saving the
/// textures they use. Throws exportlib::ExportStop, which ExportObjModel
/// shows before it closes the files.
void WriteMaterialLibrary(ObjJob& job);
/// Writes the "v" lines of every valid face.
void WriteVertices(ObjJob& job);
/// Writes the "vt" lines of every valid face, one per "v" line.
void WriteTexCoords(ObjJob& job);
/// Writes the "usemtl" and "f" lines of every valid face.
void WriteFaces(ObjJob& job);

}  // namespace batchtool::obj

#endif  // GANNET_BATCHTOOL_OBJ_JOB_H_
