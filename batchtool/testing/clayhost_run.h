// Runs the tool plug-in inside the substitute host, the way a user does, and
// collects what it showed.
#ifndef GANNET_BATCHTOOL_TESTING_CLAYHOST_RUN_H_
#define GANNET_BATCHTOOL_TESTING_CLAYHOST_RUN_H_

#include <filesystem>
#include <string>
#include <vector>

namespace batchtool::testing {

/// One message box as the host's transcript recorded it.
struct ShownBox {
  std::string caption;
  std::string text;
  std::string buttons;
  std::string answer;
};

/// What one clayhost run left behind.
struct ToolRun {
  int exit_code = -1;
  /// Standard output and standard error.
  std::string output;
  std::vector<ShownBox> boxes;
};

/// Runs `clayhost tool` with the plug-in on `scene`, drive C: mapped to
/// `drive_c`, `bin` put first on the PATH (stand-in programs) and the extra
/// arguments (for example "--answer", "Launch NO$PSX?=no") appended.
ToolRun RunClayhostTool(const std::string& clayhost, const std::string& plugin,
                        const std::filesystem::path& scene, const std::filesystem::path& drive_c,
                        const std::filesystem::path& bin,
                        const std::vector<std::string>& extra_arguments = {});

/// Runs clayhost with `arguments` (a command and its options), drive C:
/// mapped to `drive_c` and `bin` first on the PATH.
ToolRun RunClayhost(const std::string& clayhost, const std::vector<std::string>& arguments,
                    const std::filesystem::path& drive_c, const std::filesystem::path& bin);

/// Writes an executable shell script.
void WriteScript(const std::filesystem::path& file, const std::string& body);

}  // namespace batchtool::testing

#endif  // GANNET_BATCHTOOL_TESTING_CLAYHOST_RUN_H_
