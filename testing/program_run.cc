#include "testing/program_run.h"

#include <sys/wait.h>

#include <cstdio>
#include <memory>

#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace gannet_testing {
namespace {

// The words that put the run's folder, environment and PATH in place before
// `program` replaces the shell.
std::string Surroundings(const RunOptions& options) {
  std::string prefix;
  if (!options.folder.empty()) {
    prefix += "cd " + ShellQuoted(options.folder.string()) + " && ";
  }
  if (!options.path_first.empty()) {
    std::string folders;
    for (const std::filesystem::path& folder : options.path_first) {
      folders += ShellQuoted(folder.string()) + ":";
    }
    prefix += "PATH=" + folders + "\"$PATH\" && export PATH && ";
  }
  prefix += "exec env";
  for (const auto& [name, value] : options.environment) {
    prefix += " " + ShellQuoted(name + "=" + value);
  }
  return prefix;
}

// Runs `words` (shell text that starts a program) with the options'
// surroundings. Standard output comes back through a pipe, so that a file
// size limit the command sets for itself (ulimit -f) binds only the files it
// writes; standard input, and standard error when kept apart, go through a
// scratch folder, so that no stream can block another.
ProgramRun Run(const std::string& words, const RunOptions& options) {
  const TempFolder scratch("gannet-run");
  const std::filesystem::path input = scratch / "input";
  const std::filesystem::path errors = scratch / "errors";
  WriteBytes(input, options.input);
  std::string command = Surroundings(options) + " " + words + " <" + ShellQuoted(input.string());
  command += options.errors_apart ? " 2>" + ShellQuoted(errors.string()) : " 2>&1";

  ProgramRun run;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) {
    run.output = "cannot start /bin/sh";
    return run;
  }
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;) {
    run.output.append(chunk, got);
  }
  const int status = pclose(pipe.release());
  run.exit_code = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (options.errors_apart) {
    run.errors = ReadBytes(errors);
  }
  return run;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& program_and_arguments,
                      const RunOptions& options) {
  std::string words;
  for (const std::string& word : program_and_arguments) {
    words += (words.empty() ? "" : " ") + ShellQuoted(word);
  }
  return Run(words, options);
}

ProgramRun RunShell(const std::string& command, const RunOptions& options) {
  return Run("/bin/sh -c " + ShellQuoted(command), options);
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

}  // namespace gannet_testing
