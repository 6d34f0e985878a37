#include "exporter/export_rsd_model.h"

#include <optional>
#include <utility>

#include "exporter/export_names.h"
#include "exporter/export_stop.h"
#include "exporter/host_model.h"
#include "exporter/launch.h"
#include "exporter/line_text.h"
#include "exporter/mat_writer.h"
#include "exporter/ply_writer.h"
#include "exporter/rsd_file.h"
#include "exporter/texture_list.h"
#include "exporter/texture_pass.h"
#include "exportlib/checked_output.h"
#include "exportlib/conversion_error.h"
#include "exportlib/object_attributes.h"
#include "platform/file_system.h"

namespace exporter {
namespace {

constexpr const char* kBadDataQuestion =
    "Incorrect export data found!\r\nThis is commonly related to turning off mirror and the RSD "
    "exporting gets messed up. Saving your file and reopening it will fix this.\r\nDo you want "
    "to continue?";

std::string RsdnNotFoundMessage() {
  return std::string("ERROR: Gannet rsdn.bat file not found, it must be in :\r\n") +
         kRootPluginFolder + "\\rsdn.bat\r\n or \r\n" + kProgramFilesPluginFolder + "\\rsdn.bat";
}

// The three files of one export, created in the order rsd, ply, mat; the
// destructors close them on every path.
struct ModelFiles {
  explicit ModelFiles(const std::string& base_path)
      : rsd(exportlib::CreateCheckedOutput(base_path + ".rsd")),
        ply(exportlib::CreateCheckedOutput(base_path + ".ply")),
        mat(exportlib::CreateCheckedOutput(base_path + ".mat")) {}

  // A short write is a lost model: report it rather than launch on it.
  void Close() {
    for (exportlib::CheckedOutput* output : {&rsd, &ply, &mat}) {
      exportlib::CloseCheckedOutput(*output);
    }
  }

  exportlib::CheckedOutput rsd, ply, mat;
};

struct ObjectTexts {
  std::string summary;
  std::string warnings;
};

void ConfirmCleanVertices(const mcp::HostApi& host, mcp::Handle object, std::int32_t vertex_count,
                          const exportlib::UserChannel& channel) {
  std::int32_t clean = 0;
  for (std::int32_t i = 0; i < vertex_count; ++i) {
    if (IsCleanVertex(ReadVertex(host, object, i))) {
      ++clean;
    }
  }
  if (clean != vertex_count && channel.ask("Bad export data!", kBadDataQuestion,
                                           platform::Buttons::kYesNo) != platform::Answer::kYes) {
    throw ExportStop("");
  }
}

// Checks the object and writes the three files (and the textures and the
// project file on the way).
class ObjectExport {
 public:
  ObjectExport(const mcp::HostApi& host, mcp::Handle scene, const ExportNames& names,
               double scale_factor, const RsdExportOptions& options, ModelFiles& files,
               const exportlib::UserChannel& channel)
      : host_(host),
        scene_(scene),
        names_(names),
        scale_factor_(scale_factor),
        options_(options),
        files_(files),
        channel_(channel) {}

  ObjectTexts Run(mcp::Handle object, const std::string& model_name) {
    const std::int32_t face_count = host_.GetFaceCount(object);
    if (face_count < 1) {
      throw ExportStop(kNoModelData);
    }
    const std::int32_t exported_faces = CountExportedFaces(host_, object, face_count);
    const std::int32_t vertex_count = host_.GetVertexCount(object);
    ConfirmCleanVertices(host_, object, vertex_count, channel_);

    WritePlyHeader(files_.ply.file);
    if (exported_faces < 1) {
      throw ExportStop(kNoModelData);
    }
    ObjectTexts texts;
    texts.summary = "\r\nModel " + model_name + " has: \r\n" + Decimal(vertex_count) +
                    " Verts, \r\n" + Decimal(exported_faces) + " faces\r\n";

    const PlyModel model{object, vertex_count, face_count, exported_faces, scale_factor_};
    if (WritePlyBody(host_, model, files_.ply.file)) {
      texts.warnings = kNonCoplanarWarning;
    }
    WriteMatHeader(files_.mat.file, exported_faces);
    WriteRsdHeader(files_.rsd.file, names_.base_name);
    TextureList textures;
    RunTexturePass(host_, {scene_, names_.base_path, options_}, files_.mat.file, textures,
                   channel_);
    WriteTextureLines(files_.rsd.file, names_.base_path, names_.base_name, textures.count());
    MatLineBuilder builder(host_, scene_, object, textures, options_);
    texts.warnings += WriteMatLines(host_, builder, object, face_count, files_.mat.file);
    return texts;
  }

 private:
  const mcp::HostApi& host_;
  mcp::Handle scene_;
  const ExportNames& names_;
  double scale_factor_;
  const RsdExportOptions& options_;
  ModelFiles& files_;
  const exportlib::UserChannel& channel_;
};

std::string ReportText(const ObjectTexts& texts) {
  if (texts.warnings.size() <= 1) {
    return "Finished correctly\r\n" + texts.summary + "\r\n\r\n";
  }
  return "Warning!\r\n" + texts.summary + "\r\n" + texts.warnings + "\r\n\r\n";
}

bool RunExport(const mcp::HostApi& host, mcp::Handle scene, int item_to_export,
               const std::string& output_path, double scale, int launch_mode,
               const RsdExportOptions& options, const exportlib::UserChannel& channel) {
  const std::optional<std::string> plugin_folder = FindPluginFolder();
  if (!plugin_folder) {
    throw ExportStop(RsdnNotFoundMessage());
  }
  const ExportNames names = DeriveExportNames(output_path);
  if (names.base_name.size() > kMaxBaseNameLength) {
    throw ExportStop("Error: Filename " + names.base_name +
                     " is too long, it must be 7 characters or less.");
  }
  if (const std::optional<std::string> refused = CommandCharacterMessage(names.base_name)) {
    throw ExportStop(*refused);
  }
  ObjectTexts texts;
  {
    ModelFiles files(names.base_path);
    const double scale_factor = options.scale_times_ten ? 10 * scale : scale;
    ObjectExport object_export(host, scene, names, scale_factor, options, files, channel);
    const std::int32_t count = host.GetRootObjectCount(scene);
    for (std::int32_t i = 0; i < count; ++i) {
      const mcp::Handle object = host.GetRootObject(scene, i);
      const std::string model_name = exportlib::ReadTextAttribute(host, object, "Name", "(noname)");
      if (i == item_to_export) {
        texts = object_export.Run(object, model_name);
      }
    }
    files.Close();
  }
  if (texts.summary.size() <= 1) {
    throw ExportStop(kNoModelData);
  }
  const std::optional<int> mode = ChooseLaunchMode(launch_mode, ReportText(texts), channel);
  if (!mode) {
    return false;
  }
  RunRsdn(*plugin_folder, names.base_name, *mode, names.export_folder, channel);
  return true;
}

}  // namespace

bool ExportRsdModel(const mcp::HostApi& host, mcp::Handle scene, int item_to_export,
                    const std::string& output_path, double scale, int launch_mode,
                    const RsdExportOptions& options, const exportlib::UserChannel& channel) {
  // The message boxes of the catches must not let anything escape either.
  try {
    return RunExport(host, scene, item_to_export, output_path, scale, launch_mode, options,
                     channel);
  } catch (const ExportStop& stop) {
    if (!stop.message().empty()) {
      exportlib::ShowSafely(channel, stop.message());
    }
  } catch (const exportlib::ConversionError& error) {
    exportlib::ShowSafely(channel,
                          std::string("Error: ") + error.what() + ", the export has stopped.");
  } catch (const std::exception& error) {
    exportlib::ShowSafely(channel, std::string("Error: the export has stopped: ") + error.what());
  } catch (...) {
    exportlib::ShowSafely(channel, "Error: the export has stopped.");
  }
  return false;
}

}  // namespace exporter
