#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "toolfiles/file_system.h"

namespace toolfiles::system {
namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

Kind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) {
    return Kind::kRegular;
  }
  if (S_ISDIR(mode)) {
    return Kind::kFolder;
  }
  if (S_ISFIFO(mode)) {
    return Kind::kPipe;
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return Kind::kDevice;
  }
  return Kind::kOther;
}

// Owns a descriptor for one function's span.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

Kind KindOf(const std::filesystem::path& path, std::string* problem) {
  struct stat facts;
  if (stat(path.c_str(), &facts) != 0) {
    *problem = Reason(errno);
    return Kind::kMissing;
  }
  return KindOfMode(facts.st_mode);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first;
  struct stat second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::uint64_t limit,
                                           ReadRefusal* refusal) {
  // Without O_NONBLOCK, opening a named pipe waits for a writer for ever.
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat facts;
  if (file.get() < 0 || fstat(file.get(), &facts) != 0) {
    refusal->reason = Reason(errno);
    return std::nullopt;
  }
  refusal->kind = KindOfMode(facts.st_mode);
  refusal->size = static_cast<std::uint64_t>(facts.st_size);
  if (refusal->kind != Kind::kRegular || refusal->size > limit) {
    return std::nullopt;
  }
  // A file that grows while it is read still yields no more than the limit.
  std::string bytes(static_cast<std::size_t>(refusal->size), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t count = read(file.get(), bytes.data() + got, bytes.size() - got);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      refusal->reason = Reason(errno);
      return std::nullopt;
    }
    if (count == 0) {
      break;
    }
    got += static_cast<std::size_t>(count);
  }
  bytes.resize(got);
  return bytes;
}

std::optional<NewFile> NewFile::Create(const std::filesystem::path& path,
                                       const std::filesystem::path& like, bool* exists,
                                       std::string* problem) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    *exists = errno == EEXIST;
    *problem = Reason(errno);
    return std::nullopt;
  }
  // A replaced file keeps who may read and run it.
  struct stat old;
  if (stat(like.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    fchmod(fd, old.st_mode & 07777);
  }
  return NewFile(fd);
}

NewFile::NewFile(NewFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, -1);
  }
  return *this;
}

NewFile::~NewFile() {
  Close();
}

void NewFile::Close() {
  if (handle_ >= 0) {
    close(static_cast<int>(std::exchange(handle_, -1)));
  }
}

bool NewFile::Write(std::string_view bytes, std::string* problem) {
  const int fd = static_cast<int>(handle_);
  while (!bytes.empty()) {
    const ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      *problem = count < 0 ? Reason(errno) : "the disk took no more bytes";
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

bool NewFile::Finish(std::string* problem) {
  const int fd = static_cast<int>(std::exchange(handle_, -1));
  // File systems that cannot sync (EINVAL) have nothing more to write.
  const bool synced = fsync(fd) == 0 || errno == EINVAL;
  const int sync_error = errno;
  const bool closed = close(fd) == 0;
  if (!synced || !closed) {
    *problem = Reason(!synced ? sync_error : errno);
    return false;
  }
  return true;
}

bool Replace(const std::filesystem::path& from, const std::filesystem::path& to,
             std::string* problem) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    *problem = Reason(errno);
    return false;
  }
  return true;
}

unsigned long ProcessNumber() {
  return static_cast<unsigned long>(getpid());
}

}  // namespace toolfiles::system
