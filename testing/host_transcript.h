// The message boxes a clayhost run recorded with --transcript.
#ifndef GANNET_TESTING_HOST_TRANSCRIPT_H_
#define GANNET_TESTING_HOST_TRANSCRIPT_H_

#include <filesystem>
#include <string>
#include <vector>

namespace gannet_testing {

/// One message box as the transcript has it.
struct ShownBox {
  std::string caption;
  std::string text;
  /// "ok", "yesno" or "yesnocancel".
  std::string buttons;
  /// The button the host pressed: "ok", "yes", "no" or "cancel".
  std::string answer;
  /// Whether the host took the box for an error box.
  bool error = false;
};

/// The boxes of a transcript (one JSON object a line), in the order shown;
/// none when the file does not exist. Throws nlohmann::json's exceptions on a
/// line that is not such an object.
std::vector<ShownBox> ReadTranscript(const std::filesystem::path& file);

}  // namespace gannet_testing

#endif  // GANNET_TESTING_HOST_TRANSCRIPT_H_
