// The stdio part of OutputFile, the same on every platform; only Create, which
// maps the path, lives in file_system-<platform>.cc.
#include <utility>

#include "platform/file_system.h"

namespace platform {

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), failed_(other.failed_) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    Close();
    file_ = std::exchange(other.file_, nullptr);
    failed_ = other.failed_;
  }
  return *this;
}

OutputFile::~OutputFile() {
  Close();
}

bool OutputFile::Write(std::string_view bytes) {
  if (file_ == nullptr) {
    failed_ = true;
    return false;
  }
  if (bytes.empty()) {
    return true;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
    return false;
  }
  return true;
}

bool OutputFile::Close() {
  if (file_ == nullptr) {
    return !failed_;
  }
  if (std::fclose(std::exchange(file_, nullptr)) != 0) {
    failed_ = true;
  }
  return !failed_;
}

}  // namespace platform
