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

#include "exporter/rsd_export_options.h"
#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"

namespace exporter {

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
/// the export with the files closed as far as they were written. Every box,
/// question and command goes through `channel`. Returns true only when
/// rsdn.bat was run. Never throws.
bool ExportRsdModel(const mcp::HostApi& host, mcp::Handle scene, int item_to_export,
                    const std::string& output_path, double scale, int launch_mode,
                    const RsdExportOptions& options, const exportlib::UserChannel& channel);

}  // namespace exporter

#endif  // GANNET_EXPORTER_EXPORT_RSD_MODEL_H_
