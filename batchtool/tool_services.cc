#include "batchtool/tool_services.h"

#include "exportlib/run_shell_command.h"
#include "platform/message_box.h"

namespace batchtool {

ToolServices PlatformToolServices() {
  return {.show_message = [](const std::string& text) { platform::ShowMessage(text); },
          .run_command =
              [](const std::string& command, const std::string& working_folder) {
                return exportlib::RunShellCommand(command, working_folder);
              }};
}

}  // namespace batchtool
