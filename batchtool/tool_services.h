// The outside services the batch tool talks through: the user's message box
// and the command interpreter. The shipped plug-in uses the platform's; tests
// pass recorders.
#ifndef GANNET_BATCHTOOL_TOOL_SERVICES_H_
#define GANNET_BATCHTOOL_TOOL_SERVICES_H_

#include <functional>
#include <string>

namespace batchtool {

/// Message box and command runner of one tool run.
struct ToolServices {
  /// Shows `text` in a modal OK box and returns when the user dismissed it.
  std::function<void(const std::string& text)> show_message;
  /// Runs `command` through the command interpreter in `working_folder` (a
  /// Windows path) and returns its merged output.
  std::function<std::string(const std::string& command, const std::string& working_folder)>
      run_command;
};

/// The services of the shipped plug-in: platform::ShowMessage and
/// exportlib::RunShellCommand.
ToolServices PlatformToolServices();

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_TOOL_SERVICES_H_
