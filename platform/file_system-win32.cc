// Paths are Windows paths already; they go to the ANSI calls unchanged.
// OutputFile apart from Create is in output_file.cc.
#include "platform/file_system.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/scoped_handle.h"

namespace platform {
namespace {

constexpr DWORD kReadChunk = 64 * 1024;

// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD AttributesOf(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

}  // namespace

bool FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || FolderExists(path);
}

std::optional<std::string> ReadFile(const std::string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, as wanted.
  windows::ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  std::string content;
  std::string chunk(kReadChunk, '\0');
  DWORD received = 0;
  do {
    if (!::ReadFile(file.get(), chunk.data(), kReadChunk, &received, nullptr)) {
      return std::nullopt;
    }
    content.append(chunk.data(), received);
  } while (received > 0);
  return content;
}

std::optional<OutputFile> OutputFile::Create(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return std::nullopt;
  }
  return OutputFile(file);
}

}  // namespace platform
