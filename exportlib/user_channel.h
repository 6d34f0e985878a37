// The one way both plug-ins reach the user and the outside tools: message
// boxes and the command interpreter. The shipped plug-ins hand the export
// routines the platform's channel; tests hand them recorders.
#ifndef GANNET_EXPORTLIB_USER_CHANNEL_H_
#define GANNET_EXPORTLIB_USER_CHANNEL_H_

#include <functional>
#include <string>

#include "platform/message_box.h"

namespace exportlib {

/// Message boxes and command runner of one plug-in call. Every member is
/// set; a routine calls only the ones its work needs.
struct UserChannel {
  /// Shows `text` in a modal OK box under the plug-in's own caption and
  /// returns when the user dismissed it.
  std::function<void(const std::string& text)> show_message;
  /// Shows a modal box with `caption`, `text` and `buttons` and answers the
  /// button the user chose.
  std::function<platform::Answer(const std::string& caption, const std::string& text,
                                 platform::Buttons buttons)>
      ask;
  /// Runs `command` through the command interpreter in `working_folder` (a
  /// Windows path) and returns its merged output.
  std::function<std::string(const std::string& command, const std::string& working_folder)>
      run_command;
};

/// The channel of the shipped plug-ins: platform::ShowMessage,
/// platform::ShowMessageBox and RunShellCommand.
UserChannel PlatformUserChannel();

/// Shows `text` through `channel`'s OK box and swallows whatever the box
/// throws: for the last word of a plug-in call, which must not let anything
/// escape into the host.
void ShowSafely(const UserChannel& channel, const std::string& text) noexcept;

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_USER_CHANNEL_H_
