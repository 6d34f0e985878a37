#include "exportlib/user_channel.h"

#include "exportlib/run_shell_command.h"

namespace exportlib {

UserChannel PlatformUserChannel() {
  return {.show_message = [](const std::string& text) { platform::ShowMessage(text); },
          .ask =
              [](const std::string& caption, const std::string& text, platform::Buttons buttons) {
                return platform::ShowMessageBox(caption, text, buttons);
              },
          .run_command =
              [](const std::string& command, const std::string& working_folder) {
                return RunShellCommand(command, working_folder);
              }};
}

void ShowSafely(const UserChannel& channel, const std::string& text) noexcept {
  try {
    channel.show_message(text);
  } catch (...) {
  }
}

}  // namespace exportlib
