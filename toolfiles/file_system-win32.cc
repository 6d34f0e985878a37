#include <windows.h>

#include <algorithm>
#include <system_error>
#include <utility>

#include "toolfiles/file_system.h"

namespace toolfiles::system {
namespace {

std::string Reason(DWORD error) {
  return std::system_category().message(static_cast<int>(error));
}

// Owns a handle for one function's span.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);
    }
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Opens `path` to look at it (or, with GENERIC_READ, to read it), folders
// included, never waiting on a pipe.
HANDLE OpenExisting(const std::filesystem::path& path, DWORD access) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

Kind KindOfHandle(HANDLE handle) {
  switch (GetFileType(handle)) {
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION facts;
      if (GetFileInformationByHandle(handle, &facts) &&
          (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Kind::kFolder;
      }
      return Kind::kRegular;
    }
    case FILE_TYPE_PIPE:
      return Kind::kPipe;
    case FILE_TYPE_CHAR:
      return Kind::kDevice;
    default:
      return Kind::kOther;
  }
}

}  // namespace

Kind KindOf(const std::filesystem::path& path, std::string* problem) {
  const Handle file(OpenExisting(path, 0));
  if (file.get() == INVALID_HANDLE_VALUE) {
    *problem = Reason(GetLastError());
    return Kind::kMissing;
  }
  return KindOfHandle(file.get());
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  const Handle first(OpenExisting(a, 0));
  const Handle second(OpenExisting(b, 0));
  BY_HANDLE_FILE_INFORMATION one;
  BY_HANDLE_FILE_INFORMATION other;
  return first.get() != INVALID_HANDLE_VALUE && second.get() != INVALID_HANDLE_VALUE &&
         GetFileInformationByHandle(first.get(), &one) &&
         GetFileInformationByHandle(second.get(), &other) &&
         one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
         one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::uint64_t limit,
                                           ReadRefusal* refusal) {
  const Handle file(OpenExisting(path, GENERIC_READ));
  if (file.get() == INVALID_HANDLE_VALUE) {
    refusal->reason = Reason(GetLastError());
    return std::nullopt;
  }
  refusal->kind = KindOfHandle(file.get());
  LARGE_INTEGER size;
  if (refusal->kind != Kind::kRegular) {
    return std::nullopt;
  }
  if (!GetFileSizeEx(file.get(), &size)) {
    refusal->reason = Reason(GetLastError());
    return std::nullopt;
  }
  refusal->size = static_cast<std::uint64_t>(size.QuadPart);
  if (refusal->size > limit) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(refusal->size), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 30));
    if (!ReadFile(file.get(), bytes.data() + got, wanted, &count, nullptr)) {
      refusal->reason = Reason(GetLastError());
      return std::nullopt;
    }
    if (count == 0) {
      break;
    }
    got += count;
  }
  bytes.resize(got);
  return bytes;
}

std::optional<NewFile> NewFile::Create(const std::filesystem::path& path,
                                       const std::filesystem::path& /*like*/, bool* exists,
                                       std::string* problem) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    *exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    *problem = Reason(error);
    return std::nullopt;
  }
  return NewFile(reinterpret_cast<std::intptr_t>(handle));
}

NewFile::NewFile(NewFile&& other) noexcept
    : handle_(std::exchange(other.handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE))) {
}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE));
  }
  return *this;
}

NewFile::~NewFile() {
  Close();
}

void NewFile::Close() {
  const auto handle = reinterpret_cast<HANDLE>(
      std::exchange(handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)));
  if (handle != INVALID_HANDLE_VALUE) {
    CloseHandle(handle);
  }
}

bool NewFile::Write(std::string_view bytes, std::string* problem) {
  const auto handle = reinterpret_cast<HANDLE>(handle_);
  while (!bytes.empty()) {
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle, bytes.data(), wanted, &count, nullptr) || count == 0) {
      *problem = Reason(GetLastError());
      return false;
    }
    bytes.remove_prefix(count);
  }
  return true;
}

bool NewFile::Finish(std::string* problem) {
  const auto handle = reinterpret_cast<HANDLE>(
      std::exchange(handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)));
  const bool flushed = FlushFileBuffers(handle) != 0;
  const DWORD flush_error = GetLastError();
  const bool closed = CloseHandle(handle) != 0;
  if (!flushed || !closed) {
    *problem = Reason(!flushed ? flush_error : GetLastError());
    return false;
  }
  return true;
}

bool Replace(const std::filesystem::path& from, const std::filesystem::path& to,
             std::string* problem) {
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    *problem = Reason(GetLastError());
    return false;
  }
  return true;
}

unsigned long ProcessNumber() {
  return GetCurrentProcessId();
}

}  // namespace toolfiles::system
