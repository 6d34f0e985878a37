#include "testing/clayhost_run.h"

#include "testing/program_run.h"
#include "testing/temp_folder.h"

namespace gannet_testing {

HostRun RunClayhost(const std::filesystem::path& clayhost, const HostCall& call) {
  const TempFolder scratch("clayhost-run");
  const std::filesystem::path transcript = scratch / "transcript.jsonl";
  std::vector<std::string> words = {clayhost.string(),    call.command, "--plugin",
                                    call.plugin.string(), "--scene",    call.scene.string()};
  words.insert(words.end(), call.arguments.begin(), call.arguments.end());
  words.insert(words.end(),
               {"--drive", "C=" + call.drive_c.string(), "--transcript", transcript.string()});
  RunOptions options;
  options.path_first = call.path_first;
  const ProgramRun ran = RunProgram(words, options);
  return {ran.exit_code, ran.output, ReadTranscript(transcript)};
}

}  // namespace gannet_testing
