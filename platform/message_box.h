// Modal message boxes, the plug-ins' only way to talk to the user.
#ifndef GANNET_PLATFORM_MESSAGE_BOX_H_
#define GANNET_PLATFORM_MESSAGE_BOX_H_

#include <string>

namespace platform {

/// The buttons a box offers.
enum class Buttons { kOk, kYesNo, kYesNoCancel };
/// The button the user chose.
enum class Answer { kOk, kYes, kNo, kCancel };

/// Shows a modal box with no owner window and waits for the answer.
/// Win32: MessageBoxA. POSIX: the hook of host_hook.h when the host program
/// defines it, else a prompt on the terminal. A box that cannot be shown or
/// that nobody answers (MessageBoxA fails, the hook gives an answer the box
/// does not offer, standard input is not a terminal or is at its end) gets
/// FallbackAnswer(buttons).
Answer ShowMessageBox(const std::string& caption, const std::string& text, Buttons buttons);

/// The answer of a box that could not be shown or was not answered: the one
/// that starts nothing. No for Yes/No, Cancel for Yes/No/Cancel, OK for OK.
Answer FallbackAnswer(Buttons buttons);

/// Shorthand for the plain OK box that carries most messages. Win32 and
/// POSIX show it with the caption "Gannet" for the exporter and "Skerry" for
/// the tool: the caption is the plug-in's own name, set once at load.
void ShowMessage(const std::string& text);
/// Sets the caption that ShowMessage uses.
void SetMessageCaption(const std::string& caption);

}  // namespace platform

#endif  // GANNET_PLATFORM_MESSAGE_BOX_H_
