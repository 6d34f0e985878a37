// The RSD model export shared by the exporter plug-in and the batch tool.
//
// One export writes the model of one root object as an RSD file with its PLY
// geometry and MAT materials, converts the scene's textures to TIM images
// through the outside tools, writes the ".PSX" project file and ends with the
// call of rsdn.bat in the host's plug-in folder. The host's export and the
// batch tool run the same routine; the few places where the batch tool has
// always behaved differently are the options below.
#ifndef GANNET_EXPORTER_EXPORT_RSD_MODEL_H_
#define GANNET_EXPORTER_EXPORT_RSD_MODEL_H_

#include <string>

#include "hostplugin/host_api.h"

namespace exporter {

/// Where the batch tool's export differs from the host's. The caller chooses
/// the object by index in both cases, and the launch mode is a plain argument
/// (the host's export always passes kLaunchAsk), so neither needs an option.
struct RsdExportOptions {
  /// true: every coordinate is multiplied by 10 × scale (the host's export,
  /// whose default scale 1.0 gives 10); false: by the scale as given (batch).
  bool scale_times_ten = true;
  /// true: the MAT file gets a "# " comment line with the convert command of
  /// each converted texture before the img2tim one; false: only the img2tim
  /// line (batch).
  bool write_convert_comment = true;
  /// true: a material with a colour "Transparency" parameter gets img2tim's
  /// " -t " option (batch); false: the command never carries it.
  bool transparency_tim_option = false;
  /// true: a colour "Transparency" parameter adds 4 and 16, 32 or 64 (first
  /// positive channel of red, green, blue) to the MAT light flag (batch). The
  /// material conflict warning is raised only when the flag is exactly 0, so
  /// with these additions a transparent material never raises it.
  bool transparency_light_flag = false;

  /// The host's export ("Gannet").
  static constexpr RsdExportOptions ForExporter() { return {}; }
  /// The batch tool's variant ("Skerry").
  static constexpr RsdExportOptions ForBatchTool() {
    return {.scale_times_ten = false,
            .write_convert_comment = false,
            .transparency_tim_option = true,
            .transparency_light_flag = true};
  }
};

/// Launch modes of rsdn.bat: greater than 1 asks the user first.
inline constexpr int kLaunchTmdOnly = 0;
inline constexpr int kLaunchTmdAndEmulator = 1;
inline constexpr int kLaunchAsk = 2;

/// Exports the root object at `item_to_export` of `scene` to `output_path`
/// (a Windows path whose last four characters, normally ".rsd", are replaced
/// by each file's own ending) with `scale`, then runs rsdn.bat with
/// `launch_mode` (asking first when it is greater than 1). A base name that
/// is too long or holds one of kCommandCharacters is refused before any file
/// is created. Every problem is shown to the user in a message box and ends
/// the export with the files closed as far as they were written. Returns true only when rsdn.bat
/// was run. Never throws.
bool ExportRsdModel(const mcp::HostApi& host, mcp::Handle scene, int item_to_export,
                    const std::string& output_path, double scale, int launch_mode,
                    const RsdExportOptions& options);

}  // namespace exporter

#endif  // GANNET_EXPORTER_EXPORT_RSD_MODEL_H_
