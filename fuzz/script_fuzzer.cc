// The batch script interpreter over an arbitrary SkerryScript.txt, against
// a small scene served by the fake host. Command lines, message boxes and
// the two model writers are recorded, not run.
//
// "!assetpath " lines do create folders. The process's mkdir is replaced by
// one that refuses every folder outside a scratch folder of its own, which
// is the current folder and the root of drives C: and Z: (so a folder named
// by the script can never land elsewhere on the machine).
//
// Besides the sanitizers' checks, every run must keep the interpreter's
// contract: nothing escapes it; every command line it runs is the trimmed
// text of a script line, in file order, each line at most once; every
// message names a line the script has; exports go to the asset folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "batchtool/script_interpreter.h"
#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "interpreter broke its contract: %s\n", what);
    std::abort();
  }
}

// The scratch folder, empty until the first input is run.
std::string g_sandbox;

bool InsideSandbox(const char* path) {
  std::error_code error;
  const fs::path full = fs::absolute(path, error).lexically_normal();
  const std::string text = full.string();
  return !error && text.size() > g_sandbox.size() &&
         text.compare(0, g_sandbox.size(), g_sandbox) == 0 && text[g_sandbox.size()] == '/';
}

void SetUpProcess() {
  if (!g_sandbox.empty()) {
    return;
  }
  static const gannet_testing::TempFolder sandbox("script-fuzz",
                                                  gannet_testing::FastScratchParent());
  const char* const path = sandbox.path().c_str();
  Require(chdir(path) == 0, "cannot enter the scratch folder");
  setenv("GANNET_DRIVE_C", path, 1);
  setenv("GANNET_DRIVE_Z", path, 1);
  setenv("HOME", path, 1);
  g_sandbox = path;
}

// What the script's lines are, worked out here without the interpreter's
// own helpers: split at LF, cut at the first CR, stop at Ctrl-Z, trim bytes
// of code 32 or below (as unsigned bytes).
std::vector<std::string> TrimmedLines(std::string_view script) {
  if (const std::size_t end = script.find('\x1a'); end != std::string_view::npos) {
    script = script.substr(0, end);
  }
  std::vector<std::string> lines;
  while (!script.empty()) {
    const std::size_t end = script.find('\n');
    std::string_view line = script.substr(0, end);
    line = line.substr(0, line.find('\r'));
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!line.empty() && blank(line.front()))
      line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
      line.remove_suffix(1);
    lines.emplace_back(line);
    script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
  }
  return lines;
}

struct Recorded {
  std::vector<std::string> commands;
  std::vector<std::string> folders;
  std::vector<std::string> messages;
  std::vector<std::string> export_paths;
};

void CheckCommands(const Recorded& recorded, const std::vector<std::string>& lines) {
  std::size_t next = 0;
  for (const std::string& command : recorded.commands) {
    while (next < lines.size() && lines[next] != command) {
      ++next;
    }
    Require(next < lines.size(), "ran a command that is no trimmed line, or out of order");
    ++next;
  }
}

void CheckMessages(const Recorded& recorded, std::size_t line_count) {
  // The interpreter's own messages; echoed command output may say anything.
  constexpr std::string_view kInLine = "ERROR:  In line: ";
  for (const std::string& message : recorded.messages) {
    if (message.compare(0, kInLine.size(), kInLine) != 0) {
      continue;
    }
    const unsigned long line = std::strtoul(message.c_str() + kInLine.size(), nullptr, 10);
    Require(line >= 1 && line <= line_count, "a message names a line the script lacks");
  }
}

}  // namespace

// Folders are made only inside the scratch folder once it exists.
extern "C" int mkdir(const char* path, mode_t mode) noexcept {
  if (!g_sandbox.empty() && !InsideSandbox(path)) {
    errno = EACCES;
    return -1;
  }
  return static_cast<int>(syscall(SYS_mkdirat, AT_FDCWD, path, mode));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetUpProcess();
  for (const auto& entry : fs::directory_iterator(g_sandbox)) {
    fs::remove_all(entry.path());
  }
  const std::string_view script(reinterpret_cast<const char*>(data), size);

  using clayhost::testing::TestObject;
  clayhost::Scene scene;
  scene.objects = {TestObject("Cube"), TestObject("Sphere"), TestObject(" CUBE "), TestObject(""),
                   TestObject()};
  Recorded recorded;
  exportlib::UserChannel services;
  services.show_message = [&](const std::string& text) { recorded.messages.push_back(text); };
  services.run_command = [&](const std::string& command, const std::string& folder) {
    recorded.commands.push_back(command);
    recorded.folders.push_back(folder);
    return std::string("output\r\nwith a zero \0 byte", 27);
  };
  batchtool::ObjectWriters writers;
  writers.write_obj = [&](mcp::Handle, std::int32_t index, const std::string& path, double) {
    Require(index >= 0 && index < 5, "exported an object the scene lacks");
    recorded.export_paths.push_back(path);
  };
  writers.write_rsd = [&](mcp::Handle, std::int32_t index, const std::string& path, double,
                          std::int32_t) {
    Require(index >= 0 && index < 5, "exported an object the scene lacks");
    recorded.export_paths.push_back(path);
  };

  {
    const clayhost::ServedScene host(scene);
    const batchtool::ScriptContext context{.host = host.api(),
                                           .scene = clayhost::ServedScene::handle(),
                                           .channel = services,
                                           .writers = writers};
    batchtool::RunScript(script, context);
    Require(host.diagnostics().empty(), "the script misused the host");
  }

  const std::vector<std::string> lines = TrimmedLines(script);
  CheckCommands(recorded, lines);
  CheckMessages(recorded, lines.size());
  for (const std::string& path : recorded.export_paths) {
    Require(path.find('\\') != std::string::npos, "an export path without its separator");
  }
  return 0;
}
