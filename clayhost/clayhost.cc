// clayhost: plays the MarbleClay host for one plug-in run.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "clayhost/command_line.h"
#include "clayhost/command_report.h"
#include "clayhost/host_path.h"
#include "clayhost/message_boxes.h"
#include "clayhost/plugin_session.h"
#include "clayhost/scene.h"
#include "clayhost/scene_loader.h"
#include "gannet_version.h"
#include "platform/host_hook.h"
#include "toolfiles/output_file.h"

// The plug-ins' message boxes arrive here (platform/host_hook.h); the
// executable exports it so that a plug-in's weak reference finds it.
extern "C" __attribute__((visibility("default"))) int ClayHostMessageBox(const char* caption,
                                                                         const char* text,
                                                                         int buttons) {
  return clayhost::AnswerMessageBox(caption, text, buttons);
}

namespace clayhost {
namespace {

namespace fs = std::filesystem;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStopped = 3;

int UsageError(const std::string& problem) {
  std::cerr << "clayhost: " << problem << "\nRun \"clayhost --help\" for the usage.\n";
  return kExitUsage;
}

int Fail(const std::string& problem) {
  std::cerr << "clayhost: " << problem << "\n";
  return kExitUsage;
}

// The folder that an installed clayhost serves as drive C:, found from the
// program's own place (CLAYHOST_INSTALLED_DRIVE_C is relative to it); empty
// when this clayhost is not an installed one.
std::string InstalledDriveC() {
#ifdef CLAYHOST_INSTALLED_DRIVE_C
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path drive = (program.parent_path() / CLAYHOST_INSTALLED_DRIVE_C).lexically_normal();
    if (fs::is_directory(drive / kPluginFolder, error)) {
      return drive.string();
    }
  }
#endif
  return {};
}

bool DriveCIsMapped() {
  const char* folder = std::getenv("GANNET_DRIVE_C");
  return folder != nullptr && *folder != '\0';
}

// Why the transcript cannot be written where it is asked for, checked
// before the plug-in runs; nullopt when it can.
std::optional<std::string> TranscriptProblem(const std::string& transcript,
                                             const std::vector<std::string>& sources) {
  if (auto refusal = toolfiles::OutputRefusal(transcript, {sources.begin(), sources.end()})) {
    return "the transcript: " + *refusal;
  }
  const fs::path folder = fs::path(transcript).parent_path();
  std::error_code error;
  if (!folder.empty() && !fs::is_directory(folder, error)) {
    return "cannot write the transcript " + transcript + ": there is no folder " + folder.string();
  }
  return std::nullopt;
}

// What went wrong in a run whose working call answered 1.
struct RunFailures {
  int error_boxes = 0;
  bool command_error = false;
  int failed_saves = 0;
  std::string transcript_problem;

  std::string Summary() const {
    std::vector<std::string> parts;
    if (error_boxes > 0) {
      parts.push_back("the plug-in showed " + std::to_string(error_boxes) + " error box" +
                      (error_boxes == 1 ? "" : "es"));
    }
    if (command_error) {
      parts.emplace_back("a command it ran reported an error");
    }
    if (failed_saves > 0) {
      parts.push_back(std::to_string(failed_saves) + " texture" +
                      (failed_saves == 1 ? " was" : "s were") + " not saved");
    }
    if (!transcript_problem.empty()) {
      parts.push_back(transcript_problem);
    }
    std::string summary;
    for (const std::string& part : parts) {
      summary += (summary.empty() ? "" : "; ") + part;
    }
    return summary;
  }
};

// Prints what the plug-in's commands reported; true when it tells of a
// failure.
bool ShowReport(const CommandReport& report) {
  const std::string text = report.Read();
  if (text.empty()) {
    return false;
  }
  std::cout << "--- reported by the plug-in's commands ---\n"
            << text << (text.back() == '\n' ? "" : "\n") << "--- end of the report ---\n";
  return ReportsFailure(text);
}

// The export path for --out, said when the exporter's extension was added;
// nullopt (and the refusal printed) when --out names no file.
std::optional<std::string> ExportPath(const Options& options, const PluginSession& session) {
  const ExportTarget target = TargetForOut(options.out, session.extension());
  if (!target.problem.empty()) {
    Fail(target.problem);
    return std::nullopt;
  }
  if (target.appended) {
    std::cout << "clayhost: --out " << options.out << " does not end in ." << session.extension()
              << ": exporting to " << target.path << "\n";
  }
  return target.path;
}

// The working call of the plug-in, its answer printed; the session is
// released after it.
int CallWorkingExport(PluginSession& session, const Scene& scene, const std::string& out,
                      float scale) {
  int answer = 0;
  if (session.kind() == PluginKind::kExporter) {
    answer = session.Export(scene, PluginPathForHostPath(out), scale);
    std::cout << "clayhost: MCP_ExecuteExport answered " << answer << "\n";
  } else {
    answer = session.SwitchTool(scene);
    std::cout << "clayhost: MCP_ToolSwitch answered " << answer << "\n";
  }
  session.Release();
  return answer;
}

int ExitStatus(int answer, const RunFailures& failures) {
  if (answer != 1) {
    return kExitFailure;
  }
  const std::string summary = failures.Summary();
  if (summary.empty()) {
    return kExitSuccess;
  }
  std::cout << "clayhost: the run failed: " << summary << " (exit status 3)\n";
  return kExitStopped;
}

int RunPlugin(const Options& options, const Scene* scene) {
  const std::vector<std::string> no_sources;
  const std::vector<std::string>& sources = scene != nullptr ? scene->sources : no_sources;
  if (!options.transcript.empty()) {
    if (const auto problem = TranscriptProblem(options.transcript, sources)) {
      return Fail(*problem);
    }
  }
  std::ostringstream transcript;
  MessageBoxResponder responder(options.answers, std::cout,
                                options.transcript.empty() ? nullptr : &transcript, std::cerr);
  SetMessageBoxResponder(&responder);
  struct ClearResponder {
    ~ClearResponder() { SetMessageBoxResponder(nullptr); }
  } clear_responder;

  std::string error;
  auto session = PluginSession::Start(options.plugin, options.host_version,
                                      options.command == Command::kInfo ? &std::cout : nullptr,
                                      std::cerr, &error);
  if (!session) {
    return Fail(error);
  }
  if (options.command == Command::kInfo) {
    session->Release();
    return kExitSuccess;
  }
  const bool exporter = session->kind() == PluginKind::kExporter;
  if (exporter != (options.command == Command::kExport)) {
    return Fail(options.plugin + " is " + (exporter ? "an exporter" : "a tool") +
                " plug-in; run it with \"clayhost " + (exporter ? "export" : "tool") + "\"");
  }
  const std::optional<std::string> out =
      exporter ? ExportPath(options, *session) : std::optional<std::string>("");
  if (!out) {
    return kExitUsage;
  }
  // Without a report file the run goes on; only the commands' reports are lost.
  const std::optional<CommandReport> report = CommandReport::Open(&error);
  if (!report) {
    std::cerr << "clayhost: " << error << "; what the plug-in's commands report is not shown\n";
  }
  const int answer = CallWorkingExport(*session, *scene, *out, options.scale);
  RunFailures failures;
  failures.command_error = report && ShowReport(*report);
  failures.error_boxes = responder.error_box_count();
  failures.failed_saves = session->failed_saves();
  if (!options.transcript.empty()) {
    if (auto problem = toolfiles::WriteOutputFile(options.transcript, transcript.str(),
                                                  {sources.begin(), sources.end()})) {
      std::cerr << "clayhost: " << *problem << "\n";
      failures.transcript_problem = "the transcript was not written";
    }
  }
  return ExitStatus(answer, failures);
}

int Run(const std::vector<std::string>& arguments) {
  const std::string installed_drive_c = InstalledDriveC();
  auto parsed = ParseCommandLine(
      arguments, installed_drive_c.empty() ? "" : installed_drive_c + "/" + kPluginFolder);
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    return UsageError(*problem);
  }
  const Options& options = std::get<Options>(parsed);
  if (options.command == Command::kHelp) {
    std::cout << kUsage;
    return kExitSuccess;
  }
  if (options.command == Command::kVersion) {
    std::cout << "clayhost " << gannet::kVersion << "\n";
    return kExitSuccess;
  }
  for (const auto& [letter, folder] : options.drives) {
    std::string error;
    if (!MapDrive(letter, folder, &error)) {
      return Fail(error);
    }
  }
  if (!installed_drive_c.empty() && !DriveCIsMapped()) {
    std::string error;
    if (!MapDrive('C', installed_drive_c, &error)) {
      return Fail(error);
    }
  }
  // The scene is read in full before the plug-in is loaded: a faulty scene
  // calls nothing in the plug-in.
  std::unique_ptr<Scene> scene;
  if (options.command != Command::kInfo) {
    try {
      scene = std::make_unique<Scene>(LoadScene(options.scene));
    } catch (const SceneError& error) {
      return Fail(error.what());
    }
    for (const std::string& warning : scene->warnings) {
      std::cerr << "clayhost: " << warning << "\n";
    }
  }
  return RunPlugin(options, scene.get());
}

}  // namespace
}  // namespace clayhost

int main(int argc, char** argv) {
  return clayhost::Run(std::vector<std::string>(argv + 1, argv + argc));
}
