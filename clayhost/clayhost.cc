// clayhost: plays the MarbleClay host for one plug-in run.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "clayhost/command_line.h"
#include "clayhost/host_path.h"
#include "clayhost/message_boxes.h"
#include "clayhost/plugin_session.h"
#include "clayhost/scene.h"
#include "clayhost/scene_loader.h"
#include "gannet_version.h"
#include "platform/host_hook.h"

// The plug-ins' message boxes arrive here (platform/host_hook.h); the
// executable exports it so that a plug-in's weak reference finds it.
extern "C" __attribute__((visibility("default"))) int ClayHostMessageBox(const char* caption,
                                                                         const char* text,
                                                                         int buttons) {
  return clayhost::AnswerMessageBox(caption, text, buttons);
}

namespace clayhost {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

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
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path drive =
        (program.parent_path() / CLAYHOST_INSTALLED_DRIVE_C).lexically_normal();
    if (std::filesystem::is_directory(drive / kPluginFolder, error)) {
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

int RunPlugin(const Options& options, const Scene* scene) {
  std::unique_ptr<std::ofstream> transcript;
  if (!options.transcript.empty()) {
    transcript = std::make_unique<std::ofstream>(options.transcript, std::ios::binary);
    if (!*transcript) {
      return Fail("cannot write the transcript " + options.transcript);
    }
  }
  MessageBoxResponder responder(options.answers, std::cout, transcript.get(), std::cerr);
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
  int answer = 0;
  if (exporter) {
    answer = session->Export(*scene, PluginPathForHostPath(options.out), options.scale);
    std::cout << "clayhost: MCP_ExecuteExport answered " << answer << "\n";
  } else {
    answer = session->SwitchTool(*scene);
    std::cout << "clayhost: MCP_ToolSwitch answered " << answer << "\n";
  }
  session->Release();
  return answer == 1 ? kExitSuccess : kExitFailure;
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
