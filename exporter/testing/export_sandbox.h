// A throw-away Windows-like world for tests of whole exports on POSIX: a
// temporary folder serves as drive C:, stand-ins for identify, convert,
// img2tim and rsdn.bat record their command lines, and message boxes are
// answered from a script and recorded.
#ifndef GANNET_EXPORTER_TESTING_EXPORT_SANDBOX_H_
#define GANNET_EXPORTER_TESTING_EXPORT_SANDBOX_H_

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "testing/temp_folder.h"

namespace exporter::testing {

/// One message box the code under test showed.
struct ShownBox {
  std::string caption;
  std::string text;
  int buttons;  // 0 OK, 1 Yes/No, 2 Yes/No/Cancel
};

/// Where rsdn.bat is installed in the sandbox.
enum class RsdnPlace { kNone, kProgramFiles, kRoot, kBoth };

/// Lives for one test. Only one sandbox may exist at a time.
class ExportSandbox {
 public:
  explicit ExportSandbox(RsdnPlace rsdn = RsdnPlace::kRoot);
  ~ExportSandbox();
  ExportSandbox(const ExportSandbox&) = delete;
  ExportSandbox& operator=(const ExportSandbox&) = delete;

  /// The POSIX folder that drive C: maps to.
  const std::filesystem::path& drive() const { return drive_; }
  /// The POSIX path of a path on drive C: written with backslashes
  /// ("out\\ship.rsd").
  std::filesystem::path OnDrive(const std::string& relative) const;
  /// The file's bytes; empty when it does not exist.
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  /// The POSIX path of a Windows path on drive C: ("C:\\out\\ship0.bmp").
  std::filesystem::path PosixPath(const std::string& windows_path) const;

  /// Answers for the next Yes/No and Yes/No/Cancel boxes, in order (6 Yes,
  /// 7 No, 2 Cancel). A question without a queued answer is answered Yes.
  void QueueAnswers(std::vector<int> answers);
  /// Every box shown so far.
  const std::vector<ShownBox>& boxes() const { return boxes_; }
  /// The texts of the boxes shown so far, one per box.
  std::vector<std::string> BoxTexts() const;

  /// What the stand-in tool `name` (identify, convert, img2tim) prints
  /// instead of its default. identify prints "<file> BMP ..." by default
  /// when the file exists; the others print nothing.
  void SetToolOutput(const std::string& name, const std::string& output);
  /// Every stand-in call so far, one line each: the working folder relative
  /// to the drive ("/" for its root), a tab, the program name and each
  /// argument in brackets, with the drive's folder written "<C>"
  /// ("/out\trsdn.bat [ship] [1.0] [1]", "/\tidentify [<C>/out/ship0.bmp]").
  std::vector<std::string> ToolCalls() const;
  /// Puts the real tools first on PATH instead of the stand-ins (for the
  /// tests that run ImageMagick and img2tim).
  void UseRealTools(const std::filesystem::path& img2tim_folder);

  /// Called by the message-box hook.
  int Answer(const char* caption, const char* text, int buttons);

 private:
  void WriteStandIn(const std::filesystem::path& path, const std::string& name);

  gannet_testing::TempFolder root_;
  std::filesystem::path drive_;
  std::filesystem::path bin_;
  std::string saved_path_;
  std::deque<int> answers_;
  std::vector<ShownBox> boxes_;
};

/// The bytes that `write` puts into a fresh output file.
std::string CaptureFile(const std::function<void(platform::OutputFile&)>& write);

}  // namespace exporter::testing

#endif  // GANNET_EXPORTER_TESTING_EXPORT_SANDBOX_H_
