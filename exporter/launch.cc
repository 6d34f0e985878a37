#include "exporter/launch.h"

#include "exporter/export_stop.h"
#include "exporter/line_text.h"

namespace exporter {

std::optional<int> ChooseLaunchMode(int launch_mode, const std::string& report,
                                    const exportlib::UserChannel& channel) {
  if (launch_mode <= 1) {
    return launch_mode;
  }
  const platform::Answer answer = channel.ask(
      "Launch NO$PSX?",
      std::string("RSD files have been created, Do you want to, Create TMDs and Launch NO$PSX "
                  "(YES), Only convert to TMD, no No$PSX (NO)?, Just stop here (CANCEL)?\r\n") +
          report + "\r\n" + kCommentLine,
      platform::Buttons::kYesNoCancel);
  switch (answer) {
    case platform::Answer::kYes:
      return 1;
    case platform::Answer::kCancel:
      return std::nullopt;
    default:
      return 0;
  }
}

std::string RsdnCommand(const std::string& plugin_folder, const std::string& base_name,
                        int launch_mode) {
  return "  \"" + plugin_folder + "\\rsdn.bat\"   " + base_name + "  1.0 " + Decimal(launch_mode) +
         " ";
}

void RunRsdn(const std::string& plugin_folder, const std::string& base_name, int launch_mode,
             const std::string& export_folder, const exportlib::UserChannel& channel) {
  channel.run_command(RsdnCommand(plugin_folder, base_name, launch_mode), export_folder);
}

}  // namespace exporter
