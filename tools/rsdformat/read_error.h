// The one error every reader of this library throws, and the helpers that
// build its messages. A message always names the file and, where there is
// one, the place: the line of a text file or the byte offset in a TIM file.
#ifndef GANNET_TOOLS_RSDFORMAT_READ_ERROR_H_
#define GANNET_TOOLS_RSDFORMAT_READ_ERROR_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rsdformat {

/// A file that cannot be read as what it should be. what() is
/// "FILE:LINE: MESSAGE" (text files), "FILE: byte OFFSET: MESSAGE" (TIM
/// files) or "FILE: MESSAGE" (the file as a whole).
class ReadError : public std::runtime_error {
 public:
  ReadError(const std::string& file, const std::string& place, const std::string& message);

  /// The file as it was named to the reader.
  const std::string& file() const { return file_; }
  /// The message without the file and place.
  const std::string& message() const { return message_; }

 private:
  std::string file_;
  std::string message_;
};

/// An error at line `line` (counted from 1) of a text file.
ReadError LineError(const std::string& file, int line, const std::string& message);

/// An error at byte `offset` (counted from 0) of a binary file.
ReadError ByteError(const std::string& file, std::size_t offset, const std::string& message);

/// `value` in single quotes for a message: printable ASCII as it is, any other
/// byte as \xNN, cut after 40 bytes with "..." so that a message stays a line.
std::string Quoted(std::string_view value);

/// The whole content of `path` when it is a regular file of at most `limit`
/// bytes; throws ReadError "FILE: cannot read (REASON)", where the reason may
/// be the system's, "a folder, not a regular file" (or a named pipe, a
/// device) or "N bytes, beyond the limit of LIMIT bytes".
std::string ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit);

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_READ_ERROR_H_
