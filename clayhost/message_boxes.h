// The host's side of the plug-ins' modal message boxes: every box is
// answered at once, shown on the display stream and written to the
// transcript.
//
// A box gets the answer given for its caption, when its buttons offer that
// answer, and otherwise its first button (what Enter gives on Windows).
// Transcript lines are JSON objects, one a line:
//   {"caption": "Gannet", "text": "...", "buttons": "ok", "answer": "ok"}
// with the plug-in's 8-bit texts read as Latin-1, so any byte can be written.
// An error box (IsErrorBox) carries one more member, "error": true.
#ifndef GANNET_CLAYHOST_MESSAGE_BOXES_H_
#define GANNET_CLAYHOST_MESSAGE_BOXES_H_

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace clayhost {

/// A button a box can be answered with.
enum class BoxAnswer { kOk, kYes, kNo, kCancel };

/// The answer for "ok", "yes", "no" or "cancel"; nullopt for other words.
std::optional<BoxAnswer> ParseBoxAnswer(std::string_view word);

/// The transcript line of one box, without its line end. `buttons` and
/// `answer` are the words "ok", "yesno", "yesnocancel" and "ok", "yes", "no",
/// "cancel"; `error` adds "error": true.
std::string TranscriptLine(std::string_view caption, std::string_view text,
                           std::string_view buttons, std::string_view answer, bool error = false);

/// Whether a box tells of an error that stopped the plug-in's work: a box
/// with only an OK button whose text begins with the word "error" in any
/// case ("ERROR:", "Error:", "ERROR!", "ERROR,") or ends with "-ERROR-" (the
/// exporter passing on img2tim's complaint). Warnings ("Warning: ...") and
/// the batch tool's echo of a command's output (which begins with a space)
/// are no errors. `buttons` is a code of platform/host_hook.h.
bool IsErrorBox(std::string_view text, int buttons);

/// Answers, shows and records the boxes of one run.
class MessageBoxResponder {
 public:
  /// `answers` maps a caption (8-bit text) to its answer. `transcript` may be
  /// null. The streams must outlive the responder.
  MessageBoxResponder(std::map<std::string, BoxAnswer> answers, std::ostream& display,
                      std::ostream* transcript, std::ostream& diagnostics);

  /// Answers one box. `buttons` is a code of platform/host_hook.h (0 OK,
  /// 1 Yes/No, 2 Yes/No/Cancel; other codes are reported and taken as OK);
  /// null texts are reported and taken as empty. Returns the answer's code:
  /// 1 OK, 2 Cancel, 6 Yes, 7 No.
  int Answer(const char* caption, const char* text, int buttons);

  /// How many boxes were answered.
  int box_count() const { return box_count_; }
  /// How many of them were error boxes (IsErrorBox).
  int error_box_count() const { return error_box_count_; }

 private:
  std::map<std::string, BoxAnswer> answers_;
  std::ostream* display_;
  std::ostream* transcript_;
  std::ostream* diagnostics_;
  int box_count_ = 0;
  int error_box_count_ = 0;
};

/// Makes `responder` (null: none) the one that ClayHostMessageBox uses.
void SetMessageBoxResponder(MessageBoxResponder* responder);

/// What ClayHostMessageBox does: asks the current responder; without one,
/// answers the first button.
int AnswerMessageBox(const char* caption, const char* text, int buttons);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_MESSAGE_BOXES_H_
