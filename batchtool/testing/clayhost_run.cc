#include "batchtool/testing/clayhost_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "batchtool/testing/temp_folder.h"

namespace batchtool::testing {
namespace {

// Single quotes for the shell; the texts the tests pass hold none.
std::string Quote(const std::string& text) {
  return "'" + text + "'";
}

std::vector<ShownBox> ReadTranscript(const std::filesystem::path& file) {
  std::vector<ShownBox> boxes;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const auto box = nlohmann::json::parse(line);
    boxes.push_back({box.at("caption"), box.at("text"), box.at("buttons"), box.at("answer")});
  }
  return boxes;
}

}  // namespace

ToolRun RunClayhost(const std::string& clayhost, const std::vector<std::string>& arguments,
                    const std::filesystem::path& drive_c, const std::filesystem::path& bin) {
  const TempFolder scratch;
  const auto transcript = scratch.path() / "transcript.jsonl";
  const auto output = scratch.path() / "output.txt";
  std::string command = "PATH=" + Quote(bin.string()) + ":\"$PATH\" " + Quote(clayhost);
  for (const std::string& argument : arguments) {
    command += " " + Quote(argument);
  }
  command += " --drive " + Quote("C=" + drive_c.string()) + " --transcript " +
             Quote(transcript.string()) + " </dev/null >" + Quote(output.string()) + " 2>&1";
  const int status = std::system(command.c_str());

  ToolRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = ReadBytes(output);
  run.boxes = ReadTranscript(transcript);
  return run;
}

ToolRun RunClayhostTool(const std::string& clayhost, const std::string& plugin,
                        const std::filesystem::path& scene, const std::filesystem::path& drive_c,
                        const std::filesystem::path& bin,
                        const std::vector<std::string>& extra_arguments) {
  std::vector<std::string> arguments = {"tool", "--plugin", plugin, "--scene", scene.string()};
  arguments.insert(arguments.end(), extra_arguments.begin(), extra_arguments.end());
  return RunClayhost(clayhost, arguments, drive_c, bin);
}

void WriteScript(const std::filesystem::path& file, const std::string& body) {
  WriteBytes(file, "#!/bin/sh\n" + body);
  std::filesystem::permissions(file, std::filesystem::perms::owner_all |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::group_exec);
}

}  // namespace batchtool::testing
