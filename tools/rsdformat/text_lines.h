// The text layer shared by the RSD, PLY and MAT readers: data lines with
// their numbers, and the fields of one line read as numbers with messages
// that name the file, the line and the offending value.
//
// A line ends in LF or CR LF. Blank lines and lines whose first non-blank
// character is '#' are comments. Fields are separated by spaces and tabs.
#ifndef GANNET_TOOLS_RSDFORMAT_TEXT_LINES_H_
#define GANNET_TOOLS_RSDFORMAT_TEXT_LINES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/rsdformat/read_error.h"

namespace rsdformat {

/// The largest RSD, PLY, MAT or project file the readers take: four times
/// the text of a model with the 65536 vertices and normals a TMD can index
/// and a million polygons.
inline constexpr std::uint64_t kTextFileLimit = std::uint64_t{256} << 20;
/// The longest line they take. A MAT line that lists its polygons one by one
/// ("0,1,2,...") for 65536 polygons is under half of it.
inline constexpr std::size_t kLongestLine = std::size_t{1} << 20;

/// One data line: its number in the file (from 1) and its text without the
/// line end.
struct TextLine {
  int number = 0;
  std::string_view text;
};

/// Walks the data lines of a text; the text must outlive the cursor.
class TextCursor {
 public:
  TextCursor(std::string_view text, std::string file);

  /// The next data line, or nullopt after the last. Throws "FILE:N: line N
  /// is longer than the limit of 1048576 bytes" for a line beyond kLongestLine.
  std::optional<TextLine> Next();

  /// The next data line; throws "FILE:N: the file ends where WHAT was
  /// expected" (N: the file's last line) when there is none.
  TextLine Expect(std::string_view what);

  /// Throws "FILE:N: unexpected line after WHAT: 'TEXT'" when a data line
  /// is left.
  void ExpectEnd(std::string_view what);

  const std::string& file() const { return file_; }

 private:
  std::string_view text_;
  std::string file_;
  std::size_t position_ = 0;
  int line_number_ = 0;
};

/// `text` without leading and trailing spaces and tabs.
std::string_view Trimmed(std::string_view text);

/// The space- and tab-separated fields of one line, read with messages.
class Fields {
 public:
  Fields(const TextLine& line, const std::string& file);

  std::size_t size() const { return fields_.size(); }
  std::string_view operator[](std::size_t index) const { return fields_[index]; }
  int line() const { return line_.number; }

  /// Throws unless there are exactly `count` fields:
  /// "expected COUNT fields (WHAT), found N: 'LINE'".
  void ExpectCount(std::size_t count, std::string_view what) const;

  /// Field `index` as a decimal integer in [min, max]; throws
  /// "WHAT is not a whole number: 'FIELD'" or "WHAT FIELD is out of range
  /// MIN..MAX".
  std::int64_t Integer(std::size_t index, std::string_view what, std::int64_t min,
                       std::int64_t max) const;

  /// Field `index` as a finite decimal real (optional sign, digits, point,
  /// exponent); throws "WHAT is not a number: 'FIELD'".
  double Real(std::size_t index, std::string_view what) const;

  /// An error at this line.
  ReadError Error(const std::string& message) const;

 private:
  TextLine line_;
  const std::string& file_;
  std::vector<std::string_view> fields_;
};

/// `text` as a decimal integer in [min, max] when it is one entirely (an
/// optional '+' or '-', then digits).
std::optional<std::int64_t> ParseInteger(std::string_view text, std::int64_t min, std::int64_t max);

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_TEXT_LINES_H_
