// Ownership of C library file streams.
#ifndef PACKER_FILE_HANDLE_H_
#define PACKER_FILE_HANDLE_H_

#include <cstdio>
#include <memory>

namespace morphon {

/// Closes a stream when its owner goes away, whatever path it takes.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

/// An owned, possibly empty, C library stream.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

/// Opens `name` with fopen `mode` unbuffered, so that every fwrite reaches
/// the system at once and reports a short write (a full disk) itself.
/// Empty when the file cannot be opened.
inline FileHandle OpenUnbuffered(const char* name, const char* mode) {
  FileHandle file(std::fopen(name, mode));
  if (file) {
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
  }
  return file;
}

/// Closes `file` and tells whether everything written reached the system.
inline bool CloseChecked(FileHandle& file) {
  return std::fclose(file.release()) == 0;
}

}  // namespace morphon

#endif  // PACKER_FILE_HANDLE_H_
