#include "exporter/testing/export_sandbox.h"

#include <stdlib.h>

#include <cstdlib>
#include <optional>
#include <sstream>

#include "platform/host_hook.h"
#include "testing/file_bytes.h"

namespace exporter::testing {
namespace {

ExportSandbox* g_sandbox = nullptr;

// Records the call, then prints the canned output if the test set one, or
// the tool's default.
constexpr const char* kStandIn = R"(name=TOOLNAME
here=$(pwd)
case "$here" in "$SANDBOX_DRIVE") rel=/ ;; "$SANDBOX_DRIVE"/*) rel=${here#"$SANDBOX_DRIVE"} ;; *) rel=$here ;; esac
line="$rel	$name"
for a in "$@"; do line="$line [$a]"; done
printf '%s\n' "$line" >> "$SANDBOX_LOG"
if [ -f "$SANDBOX_REPLIES/$name" ]; then cat "$SANDBOX_REPLIES/$name"; exit 0; fi
if [ "$name" = identify ]; then
  if [ -f "$1" ]; then echo "$1 BMP 64x64 64x64+0+0 8-bit sRGB"; else echo "identify: unable to open image '$1'"; fi
fi
exit 0
)";

}  // namespace

ExportSandbox::ExportSandbox(RsdnPlace rsdn) : root_("gannet-sandbox") {
  if (g_sandbox != nullptr) {
    std::abort();
  }
  g_sandbox = this;
  drive_ = root_ / "c";
  bin_ = root_ / "bin";
  std::filesystem::create_directories(drive_);
  std::filesystem::create_directories(bin_);
  std::filesystem::create_directories(root_ / "replies");
  setenv("GANNET_DRIVE_C", drive_.c_str(), 1);
  setenv("SANDBOX_DRIVE", drive_.c_str(), 1);
  setenv("SANDBOX_LOG", (root_ / "calls.log").c_str(), 1);
  setenv("SANDBOX_REPLIES", (root_ / "replies").c_str(), 1);
  for (const char* tool : {"identify", "convert", "img2tim"}) {
    WriteStandIn(bin_ / tool, tool);
  }
  if (rsdn == RsdnPlace::kProgramFiles || rsdn == RsdnPlace::kBoth) {
    WriteStandIn(drive_ / "Program Files" / "MarbleCLAY" / "Plugin" / "rsdn.bat", "rsdn.bat");
  }
  if (rsdn == RsdnPlace::kRoot || rsdn == RsdnPlace::kBoth) {
    WriteStandIn(drive_ / "MarbleCLAY" / "plugin" / "rsdn.bat", "rsdn.bat");
  }
  const char* path = std::getenv("PATH");
  saved_path_ = path == nullptr ? "/usr/bin:/bin" : path;
  setenv("PATH", (bin_.string() + ":" + saved_path_).c_str(), 1);
}

ExportSandbox::~ExportSandbox() {
  setenv("PATH", saved_path_.c_str(), 1);
  unsetenv("GANNET_DRIVE_C");
  g_sandbox = nullptr;
}

void ExportSandbox::WriteStandIn(const std::filesystem::path& path, const std::string& name) {
  std::string script = kStandIn;
  script.replace(script.find("TOOLNAME"), 8, name);
  gannet_testing::WriteScript(path, script);
}

std::filesystem::path ExportSandbox::OnDrive(const std::string& relative) const {
  std::string posix = relative;
  for (char& c : posix) {
    if (c == '\\') {
      c = '/';
    }
  }
  return drive_ / posix;
}

std::string ExportSandbox::Read(const std::string& relative) const {
  return gannet_testing::ReadBytes(OnDrive(relative));
}

bool ExportSandbox::Exists(const std::string& relative) const {
  return std::filesystem::exists(OnDrive(relative));
}

std::filesystem::path ExportSandbox::PosixPath(const std::string& windows_path) const {
  if (windows_path.size() < 3 || windows_path.compare(0, 3, "C:\\") != 0) {
    std::abort();
  }
  return OnDrive(windows_path.substr(3));
}

void ExportSandbox::QueueAnswers(std::vector<int> answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::vector<std::string> ExportSandbox::BoxTexts() const {
  std::vector<std::string> texts;
  for (const ShownBox& box : boxes_) {
    texts.push_back(box.text);
  }
  return texts;
}

void ExportSandbox::SetToolOutput(const std::string& name, const std::string& output) {
  gannet_testing::WriteBytes(root_ / "replies" / name, output);
}

std::vector<std::string> ExportSandbox::ToolCalls() const {
  std::vector<std::string> calls;
  std::istringstream log(gannet_testing::ReadBytes(root_ / "calls.log"));
  const std::string drive = drive_.string();
  for (std::string line; std::getline(log, line);) {
    for (std::size_t at = line.find(drive); at != std::string::npos; at = line.find(drive, at)) {
      line.replace(at, drive.size(), "<C>");
    }
    calls.push_back(line);
  }
  return calls;
}

void ExportSandbox::UseRealTools(const std::filesystem::path& img2tim_folder) {
  setenv("PATH", (img2tim_folder.string() + ":" + saved_path_).c_str(), 1);
}

int ExportSandbox::Answer(const char* caption, const char* text, int buttons) {
  boxes_.push_back({caption, text, buttons});
  if (buttons == 0) {
    return 1;
  }
  if (answers_.empty()) {
    return 6;
  }
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::string CaptureFile(const std::function<void(platform::OutputFile&)>& write) {
  const gannet_testing::TempFolder folder("gannet-file");
  const std::filesystem::path path = folder / "captured";
  {
    std::optional<platform::OutputFile> file = platform::OutputFile::Create(path.string());
    if (!file) {
      std::abort();
    }
    write(*file);
  }
  return gannet_testing::ReadBytes(path);
}

}  // namespace exporter::testing

extern "C" int ClayHostMessageBox(const char* caption, const char* text, int buttons) {
  if (exporter::testing::g_sandbox == nullptr) {
    return 1;
  }
  return exporter::testing::g_sandbox->Answer(caption, text, buttons);
}
