// The command interpreter runs in a hidden window; its standard output and
// standard error share the write end of one anonymous pipe, so both arrive
// interleaved in the order the command wrote them.
#include "exportlib/run_shell_command.h"

#include <windows.h>

#include <string>

#include "platform/scoped_handle.h"

namespace exportlib {
namespace {

// The host knows these structures by their 32-bit sizes.
static_assert(sizeof(void*) != 4 || sizeof(SECURITY_ATTRIBUTES) == 12);
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68);

constexpr DWORD kChunkSize = 255;

// Appends everything the pipe delivers until every writer has closed it.
// Each chunk is kept up to its first zero byte.
void DrainPipe(HANDLE read_end, std::string& output) {
  char buffer[kChunkSize + 1];
  DWORD received = 0;
  while (ReadFile(read_end, buffer, kChunkSize, &received, nullptr) && received > 0) {
    buffer[received] = '\0';
    output.append(buffer);
  }
}

}  // namespace

std::string RunShellCommand(const std::string& command, const std::string& working_folder) {
  std::string output;

  SECURITY_ATTRIBUTES inheritable = {};
  inheritable.nLength = sizeof(inheritable);
  inheritable.lpSecurityDescriptor = nullptr;
  inheritable.bInheritHandle = TRUE;
  windows::ScopedHandle read_end;
  windows::ScopedHandle write_end;
  if (!CreatePipe(read_end.Receive(), write_end.Receive(), &inheritable, 0)) {
    return output;
  }

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end.get();
  startup.hStdError = write_end.get();

  std::string command_line = "cmd.exe /C " + command;
  // A script line before any "!assetpath" has no folder yet: it runs in the
  // host's current folder, as on POSIX, instead of silently not at all.
  const char* current_folder = working_folder.empty() ? nullptr : working_folder.c_str();
  PROCESS_INFORMATION started = {};
  const BOOL created = CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, current_folder, &startup, &started);
  // Reading ends only when the last writer is gone; ours must not be one.
  write_end.Close();
  if (!created) {
    return output;
  }
  // Declared process first so that the thread handle is closed before it.
  windows::ScopedHandle process(started.hProcess);
  windows::ScopedHandle thread(started.hThread);

  DrainPipe(read_end.get(), output);
  WaitForSingleObject(process.get(), INFINITE);
  return output;
}

}  // namespace exportlib
