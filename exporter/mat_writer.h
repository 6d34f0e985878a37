// The MAT file: its header, and one material line per exported face built
// from the face's host material.
#ifndef GANNET_EXPORTER_MAT_WRITER_H_
#define GANNET_EXPORTER_MAT_WRITER_H_

#include <cstdint>
#include <string>
#include <unordered_map>

#include "exporter/host_model.h"
#include "exporter/rsd_export_options.h"
#include "exporter/texture_list.h"
#include "hostplugin/host_api.h"
#include "platform/file_system.h"

namespace exporter {

/// Writes the comment line, the magic line and the material count `faces`.
void WriteMatHeader(platform::OutputFile& mat, std::int32_t faces);

/// Builds material lines for the faces of one object. The host's scene does
/// not change during the export, so each material is read once and its
/// part of the line kept for the faces that share it.
class MatLineBuilder {
 public:
  MatLineBuilder(const mcp::HostApi& host, mcp::Handle scene, mcp::Handle object,
                 const TextureList& textures, const RsdExportOptions& options)
      : host_(host), scene_(scene), object_(object), textures_(textures), options_(options) {}

  /// The line of exported face `face` with running index `n`. May show the
  /// "No TIM created" warning; throws ExportStop when the face's texture has
  /// no name.
  std::string Line(const Face& face, std::int32_t n);

  /// The last material conflict text (starting with CR LF), or empty.
  const std::string& conflict() const { return conflict_; }

 private:
  struct Texel {
    double x = 0, y = 0;
  };
  // What a material contributes to each of its faces' lines.
  struct MaterialLook {
    std::string name;
    int texture = -1;
    double shininess = -1.0;
    int light_flag = 1;
    std::string kind = "T";
    std::string color;
    std::string conflict;          // set on each of its faces when not empty
    bool unknown_texture = false;  // warned about on each of its faces
  };
  const MaterialLook& Look(mcp::MaterialRef ref);
  MaterialLook ReadLook(mcp::MaterialRef ref);
  std::string TexelText(const Face& face, int texture);
  Texel TexelOf(std::int32_t texcoord, const TexelSize& size);

  const mcp::HostApi& host_;
  mcp::Handle scene_;
  mcp::Handle object_;
  const TextureList& textures_;
  RsdExportOptions options_;
  std::string conflict_;
  std::unordered_map<mcp::MaterialRef, MaterialLook> looks_;
};

/// Writes the line of every exported face among the object's `face_count`
/// and returns the material conflict text.
std::string WriteMatLines(const mcp::HostApi& host, MatLineBuilder& builder, mcp::Handle object,
                          std::int32_t face_count, platform::OutputFile& mat);

}  // namespace exporter

#endif  // GANNET_EXPORTER_MAT_WRITER_H_
