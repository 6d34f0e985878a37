#include "packer/os_files.h"

#include <io.h>
#include <windows.h>

#include <limits>

namespace morphon {
namespace {

// Closes a search handle of FindFirstFileA on every path.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) {
      FindClose(handle_);
    }
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<std::vector<std::string>> ListFolder(const char* path) {
  const std::string pattern = std::string(path) + "\\*";
  WIN32_FIND_DATAA entry;
  FindHandle search(FindFirstFileA(pattern.c_str(), &entry));
  if (search.get() == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) {
      return std::vector<std::string>();
    }
    return std::nullopt;
  }
  std::vector<std::string> names;
  do {
    names.emplace_back(entry.cFileName);
  } while (FindNextFileA(search.get(), &entry));
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    return std::nullopt;
  }
  return names;
}

std::FILE* OpenRegularFile(const char* name) {
  const DWORD attributes = GetFileAttributesA(name);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return nullptr;
  }
  std::FILE* file = std::fopen(name, "rb");
  if (file != nullptr &&
      GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

std::optional<std::uint64_t> FileSize(std::FILE* file) {
  const __int64 size = _filelengthi64(_fileno(file));
  if (size < 0) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(size);
}

bool SeekTo(std::FILE* file, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<__int64>::max())) {
    return false;
  }
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

}  // namespace morphon
