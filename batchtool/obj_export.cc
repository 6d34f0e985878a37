#include "batchtool/obj_export.h"

#include <optional>

#include "batchtool/obj_job.h"
#include "exporter/export_names.h"
#include "exporter/export_stop.h"
#include "exporter/host_model.h"
#include "exportlib/checked_output.h"
#include "exportlib/export_stop.h"
#include "exportlib/object_attributes.h"
#include "exportlib/path_parts.h"
#include "exportlib/write_line.h"

namespace batchtool {
namespace {

using exportlib::WriteLine;

// The OBJ writer tells of a file it cannot create or write and goes on:
// the second file still closes, and the script runs its next line.
std::optional<exportlib::CheckedOutput> CreateOutput(const std::string& path,
                                                     const exportlib::UserChannel& channel) {
  try {
    return exportlib::CreateCheckedOutput(path);
  } catch (const exportlib::ExportStop& stop) {
    channel.show_message(stop.message());
    return std::nullopt;
  }
}

void CloseOutput(exportlib::CheckedOutput& output, const exportlib::UserChannel& channel) {
  try {
    exportlib::CloseCheckedOutput(output);
  } catch (const exportlib::ExportStop& stop) {
    channel.show_message(stop.message());
  }
}

// Faces and vertices that the OBJ file will hold: a quad counts as two
// triangles on four vertices.
struct ObjCounts {
  std::int64_t faces = 0;
  std::int64_t vertices = 0;
};

ObjCounts CountValidFaces(const obj::ObjJob& job) {
  ObjCounts counts;
  for (std::int32_t i = 0; i < job.face_count; ++i) {
    const exporter::Face face = exporter::ReadFace(job.host, job.object, i);
    if (!face.is_exported()) {
      continue;
    }
    counts.faces += face.is_quad() ? 2 : 1;
    counts.vertices += face.is_quad() ? 4 : 3;
  }
  return counts;
}

void WritePasses(obj::ObjJob& job, const std::string& model_name) {
  if (job.face_count < 1) {
    throw exportlib::ExportStop(exporter::kNoModelData);
  }
  const ObjCounts counts = CountValidFaces(job);
  obj::WriteMaterialLibrary(job);
  if (counts.faces < 1) {
    throw exportlib::ExportStop(exporter::kNoModelData);
  }
  WriteLine(job.obj, "mtllib " + job.base_name + ".mtl");
  WriteLine(job.obj, "#Model " + model_name + " has: " + std::to_string(counts.vertices) +
                         " Verts " + std::to_string(counts.faces) + " faces" +
                         " textures: " + std::to_string(job.textures.size()));
  WriteLine(job.obj, "o " + job.base_name);
  obj::WriteVertices(job);
  WriteLine(job.obj, "# ");
  obj::WriteTexCoords(job);
  WriteLine(job.obj, "# ");
  WriteLine(job.obj, "s off  ");
  obj::WriteFaces(job);
}

void WriteObject(const mcp::HostApi& host, mcp::Handle scene, mcp::Handle object,
                 const std::string& model_name, const std::string& output_path, double scale,
                 const exportlib::UserChannel& channel) {
  const std::string base_path = exportlib::BasePath(output_path);
  const std::string base_name = exportlib::LastComponent(base_path);
  // The texture test runs a command line that holds the base name.
  if (const auto refused = exporter::CommandCharacterMessage(base_name)) {
    channel.show_message(*refused);
    return;
  }
  auto obj_file = CreateOutput(base_path + ".obj", channel);
  if (!obj_file) {
    return;
  }
  auto mtl_file = CreateOutput(base_path + ".mtl", channel);
  if (!mtl_file) {
    CloseOutput(*obj_file, channel);
    return;
  }
  WriteLine(obj_file->file, exporter::kCommentLine);
  WriteLine(mtl_file->file, exporter::kCommentLine);

  obj::ObjJob job{.host = host,
                  .scene = scene,
                  .object = object,
                  .channel = channel,
                  .base_path = base_path,
                  .base_name = base_name,
                  .factor = 10.0 * scale,
                  .face_count = host.GetFaceCount(object),
                  .obj = obj_file->file,
                  .mtl = mtl_file->file,
                  .textures = {}};
  try {
    WritePasses(job, model_name);
  } catch (const exportlib::ExportStop& stop) {
    channel.show_message(stop.what());
  }
  CloseOutput(*obj_file, channel);
  CloseOutput(*mtl_file, channel);
}

}  // namespace

void ExportObjModel(const mcp::HostApi& host, mcp::Handle scene, std::int32_t index,
                    const std::string& output_path, double scale,
                    const exportlib::UserChannel& channel) {
  const std::int32_t count = host.GetRootObjectCount(scene);
  for (std::int32_t i = 0; i < count; ++i) {
    const mcp::Handle object = host.GetRootObject(scene, i);
    const std::string name = exportlib::ReadTextAttribute(host, object, "Name", "(noname)");
    if (i == index) {
      WriteObject(host, scene, object, name, output_path, scale, channel);
    }
  }
}

}  // namespace batchtool
