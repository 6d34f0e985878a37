// The end of an export: the question that carries the report, and the call
// of rsdn.bat that turns the RSD files into TMD models.
#ifndef GANNET_EXPORTER_LAUNCH_H_
#define GANNET_EXPORTER_LAUNCH_H_

#include <optional>
#include <string>

#include "exportlib/user_channel.h"

namespace exporter {

/// The launch mode to run rsdn.bat with: `launch_mode` itself when it is 1
/// or less; otherwise the user's answer to the "Launch NO$PSX?" question
/// that shows `report`, asked through `channel` (Yes 1, No 0, Cancel
/// nullopt: nothing is run).
std::optional<int> ChooseLaunchMode(int launch_mode, const std::string& report,
                                    const exportlib::UserChannel& channel);

/// The command line that runs rsdn.bat from `plugin_folder` on the model
/// `base_name` (not quoted: the batch file has always taken it unquoted).
std::string RsdnCommand(const std::string& plugin_folder, const std::string& base_name,
                        int launch_mode);

/// Runs rsdn.bat in `export_folder` through `channel` and waits for it; its
/// output is not read.
void RunRsdn(const std::string& plugin_folder, const std::string& base_name, int launch_mode,
             const std::string& export_folder, const exportlib::UserChannel& channel);

}  // namespace exporter

#endif  // GANNET_EXPORTER_LAUNCH_H_
