// The POSIX stand-in for "cmd.exe /C": /bin/sh with a small prelude that
// gives the plug-ins' command lines the Windows meaning they rely on.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "exportlib/run_shell_command.h"
#include "platform/windows_path.h"

extern char** environ;

namespace exportlib {
namespace {

// `dir` lists what exists and says "File Not Found" otherwise: the plug-ins
// test for a file by looking for its name in the listing, so the name of a
// missing file must never be echoed back.
constexpr char kPrelude[] = R"sh(
_gannet_dir_line() {
  if [ -d "$1" ]; then
    _gannet_size='   <DIR>         '
  else
    _gannet_size=$(printf '%17s' "$(wc -c < "$1" | tr -d ' ')")
  fi
  printf '%s %s %s\r\n' "$(date -r "$1" '+%m/%d/%Y  %I:%M %p')" "$_gannet_size" "${1##*/}"
}
dir() {
  [ $# -eq 0 ] && set -- .
  for _gannet_path in "$@"; do
    if [ -d "$_gannet_path" ]; then
      printf '\r\n Directory of %s\r\n\r\n' "$_gannet_path"
      for _gannet_entry in "$_gannet_path"/*; do
        [ -e "$_gannet_entry" ] && _gannet_dir_line "$_gannet_entry"
      done
    elif [ -e "$_gannet_path" ]; then
      printf '\r\n Directory of %s\r\n\r\n' "$(dirname -- "$_gannet_path")"
      _gannet_dir_line "$_gannet_path"
    else
      printf 'File Not Found\r\n'
    fi
  done
}
)sh";

constexpr std::size_t kReadSize = 255;

// Owns one file descriptor.
class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }

  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  // Moves the descriptor above the standard streams, keeping close-on-exec,
  // so that the child's dup2 onto 1 and 2 always makes a fresh copy.
  bool MoveAboveStandardStreams() {
    if (fd_ > STDERR_FILENO) {
      return true;
    }
    const int moved = fcntl(fd_, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (moved < 0) {
      return false;
    }
    Close();
    fd_ = moved;
    return true;
  }

 private:
  int fd_ = -1;
};

bool IsDriveLetterPath(std::string_view text) {
  return text.size() >= 3 && ((text[0] | 0x20) >= 'a' && (text[0] | 0x20) <= 'z') &&
         text[1] == ':' && (text[2] == '\\' || text[2] == '/');
}

// The text as it reads inside a double-quoted shell word.
std::string EscapeForDoubleQuotes(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"' || c == '$' || c == '`') {
      escaped += '\\';
    }
    escaped += c;
  }
  return escaped;
}

// Maps each double-quoted drive-letter path; everything else is unchanged.
std::string TranslateCommand(const std::string& command) {
  std::string translated;
  std::size_t i = 0;
  while (i < command.size()) {
    const std::size_t open = command.find('"', i);
    const std::size_t close = open == std::string::npos ? open : command.find('"', open + 1);
    if (close == std::string::npos) {
      translated.append(command, i);
      break;
    }
    translated.append(command, i, open - i);
    const std::string quoted = command.substr(open + 1, close - open - 1);
    std::optional<std::string> mapped;
    if (IsDriveLetterPath(quoted)) {
      mapped = platform::ToPosixPath(quoted);
    }
    translated += '"';
    translated += mapped ? EscapeForDoubleQuotes(*mapped) : quoted;
    translated += '"';
    i = close + 1;
  }
  return translated;
}

std::optional<std::string> WorkingFolder(const std::string& working_folder) {
  if (working_folder.empty()) {
    return std::string(".");
  }
  std::optional<std::string> folder = platform::ToPosixPath(working_folder);
  struct stat info;
  if (!folder || stat(folder->c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return std::nullopt;
  }
  return folder;
}

// Starts /bin/sh on `script` in `folder` with both output streams on
// `output`; nullopt when it cannot be started.
std::optional<pid_t> StartShell(const std::string& script, const std::string& folder, int output) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    return std::nullopt;
  }
  std::optional<pid_t> started;
  if (posix_spawn_file_actions_addchdir_np(&actions, folder.c_str()) == 0 &&
      posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO) == 0 &&
      posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO) == 0) {
    std::string shell = "/bin/sh";
    std::string option = "-c";
    std::string body = script;
    char* argv[] = {shell.data(), option.data(), body.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, shell.c_str(), &actions, nullptr, argv, environ) == 0) {
      started = pid;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  return started;
}

void AppendChunksUntilEnd(int input, std::string& output) {
  char buffer[kReadSize + 1];
  while (true) {
    const ssize_t count = read(input, buffer, kReadSize);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return;
    }
    buffer[count] = '\0';
    output.append(buffer, std::strlen(buffer));
  }
}

void WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

std::string RunShellCommand(const std::string& command, const std::string& working_folder) {
  std::string output;
  const std::optional<std::string> folder = WorkingFolder(working_folder);
  if (!folder) {
    return output;
  }
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    return output;
  }
  Descriptor read_end(ends[0]);
  Descriptor write_end(ends[1]);
  if (!write_end.MoveAboveStandardStreams()) {
    return output;
  }
  const std::optional<pid_t> child =
      StartShell(std::string(kPrelude) + TranslateCommand(command), *folder, write_end.get());
  // Reading ends when the last writer has gone, so our copy goes first.
  write_end.Close();
  if (child) {
    AppendChunksUntilEnd(read_end.get(), output);
    WaitFor(*child);
  }
  return output;
}

}  // namespace exportlib
