// The POSIX stand-in for "cmd.exe /C": the command line is split as cmd.exe
// splits it and handed to /bin/sh with every word single-quoted, so that only
// cmd's own operators keep a meaning; a small prelude adds the `dir` that the
// plug-ins rely on.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A double-quoted text as the program sees it: a drive-letter path becomes
// the POSIX path it maps to.
std::string QuotedText(std::string_view quoted) {
  if (IsDriveLetterPath(quoted)) {
    if (std::optional<std::string> mapped = platform::ToPosixPath(std::string(quoted))) {
      return *mapped;
    }
  }
  return std::string(quoted);
}

// One piece of a command line as cmd.exe splits it.
struct Piece {
  enum class Kind {
    kWord,         // literal text, quotes and escapes already removed
    kOperator,     // "&", "&&", "|" or "||"
    kRedirection,  // "<", ">", ">>" with an optional handle digit; a word follows
    kDuplication,  // ">&2", "2>&1": a handle pointed at another, no word follows
  };
  Kind kind;
  std::string text;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Splits the command at cmd.exe's operators, outside double quotes and
// unless escaped by '^', and into words at blanks. Every other character,
// in quotes or not, is part of a word.
class CommandSplitter {
 public:
  explicit CommandSplitter(std::string_view command) : command_(command) {}

  std::vector<Piece> Split() {
    while (at_ < command_.size()) {
      SplitNext();
    }
    EndWord();
    return std::move(pieces_);
  }

 private:
  char Peek(std::size_t ahead) const {
    return at_ + ahead < command_.size() ? command_[at_ + ahead] : '\0';
  }

  void SplitNext() {
    const char c = command_[at_];
    if (c == '"') {
      AppendQuoted();
    } else if (c == ' ' || c == '\t') {
      EndWord();
      ++at_;
    } else if (c == '^') {
      if (at_ + 1 < command_.size()) {
        AppendToWord(command_[at_ + 1]);
      }
      at_ += 2;
    } else if (c == '&' || c == '|') {
      EndWord();
      const std::size_t length = Peek(1) == c ? 2 : 1;
      pieces_.push_back({Piece::Kind::kOperator, std::string(command_.substr(at_, length))});
      at_ += length;
    } else if (c == '<' || c == '>' || (!in_word_ && IsDigit(c) && Peek(1) == '>')) {
      EndWord();
      ReadRedirection();
    } else {
      AppendToWord(c);
      ++at_;
    }
  }

  // A quoted text runs to the next double quote, or to the end of the line.
  void AppendQuoted() {
    const std::size_t close = command_.find('"', at_ + 1);
    const std::size_t end = close == std::string_view::npos ? command_.size() : close;
    const std::string_view quoted = command_.substr(at_ + 1, end - at_ - 1);
    word_ += close == std::string_view::npos ? std::string(quoted) : QuotedText(quoted);
    in_word_ = true;
    at_ = close == std::string_view::npos ? end : close + 1;
  }

  void ReadRedirection() {
    const std::size_t start = at_;
    if (IsDigit(command_[at_])) {
      ++at_;
    }
    const bool output = command_[at_] == '>';
    ++at_;
    const bool append = output && Peek(0) == '>';
    if (append) {
      ++at_;
    }
    if (output && !append && Peek(0) == '&' && IsDigit(Peek(1))) {
      at_ += 2;
      pieces_.push_back(
          {Piece::Kind::kDuplication, std::string(command_.substr(start, at_ - start))});
      return;
    }
    pieces_.push_back(
        {Piece::Kind::kRedirection, std::string(command_.substr(start, at_ - start))});
  }

  void AppendToWord(char c) {
    word_ += c;
    in_word_ = true;
  }

  void EndWord() {
    if (in_word_) {
      pieces_.push_back({Piece::Kind::kWord, std::move(word_)});
      word_.clear();
      in_word_ = false;
    }
  }

  std::string_view command_;
  std::size_t at_ = 0;
  std::string word_;
  bool in_word_ = false;
  std::vector<Piece> pieces_;
};

// The text as one single-quoted shell word, where nothing is special.
std::string SingleQuoted(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

bool IsDirCommand(std::string_view word) {
  return word.size() == 3 && (word[0] | 0x20) == 'd' && (word[1] | 0x20) == 'i' &&
         (word[2] | 0x20) == 'r';
}

// cmd.exe's own words for a line it cannot parse.
constexpr char kSyntaxError[] = "The syntax of the command is incorrect.\r\n";

// The shell text that runs the pieces with cmd.exe's meaning, or the message
// cmd.exe prints for a line it refuses. cmd's "&" runs one command after the
// other, sh's ";" does the same; "&&", "||" and "|" bind alike in both.
class ScriptBuilder {
 public:
  // False when the line is refused; `message` then holds cmd.exe's words.
  bool Build(const std::vector<Piece>& pieces, std::string& script, std::string& message) {
    for (const Piece& piece : pieces) {
      if (!Add(piece, message)) {
        return false;
      }
    }
    if (awaiting_target_ || (!has_content_ && !last_operator_.empty() && last_operator_ != "&")) {
      message = kSyntaxError;
      return false;
    }
    script = std::move(script_);
    return true;
  }

 private:
  bool Add(const Piece& piece, std::string& message) {
    if (awaiting_target_ && piece.kind != Piece::Kind::kWord) {
      message = kSyntaxError;
      return false;
    }
    switch (piece.kind) {
      case Piece::Kind::kWord:
        AddWord(piece.text);
        break;
      case Piece::Kind::kRedirection:
      case Piece::Kind::kDuplication:
        script_ += piece.text + ' ';
        awaiting_target_ = piece.kind == Piece::Kind::kRedirection;
        has_content_ = true;
        break;
      case Piece::Kind::kOperator:
        if (!has_content_) {
          message = piece.text + " was unexpected at this time.\r\n";
          return false;
        }
        script_ += piece.text == "&" ? "; " : piece.text + ' ';
        last_operator_ = piece.text;
        has_content_ = false;
        has_program_ = false;
        break;
    }
    return true;
  }

  // The program's name and its arguments reach it as written; only `dir`
  // is looked up among the prelude's functions.
  void AddWord(const std::string& word) {
    const bool program = !awaiting_target_ && !has_program_;
    script_ += program && IsDirCommand(word) ? std::string("dir") : SingleQuoted(word);
    script_ += ' ';
    has_program_ = has_program_ || program;
    awaiting_target_ = false;
    has_content_ = true;
  }

  std::string script_;
  std::string last_operator_;
  bool has_content_ = false;
  bool has_program_ = false;
  bool awaiting_target_ = false;
};

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
  std::string script;
  if (!ScriptBuilder().Build(CommandSplitter(command).Split(), script, output)) {
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
  const std::optional<pid_t> child = StartShell(kPrelude + script, *folder, write_end.get());
  // Reading ends when the last writer has gone, so our copy goes first.
  write_end.Close();
  if (child) {
    AppendChunksUntilEnd(read_end.get(), output);
    WaitFor(*child);
  }
  return output;
}

}  // namespace exportlib
