// The failure of a text-to-number conversion inside an export.
#ifndef GANNET_EXPORTLIB_CONVERSION_ERROR_H_
#define GANNET_EXPORTLIB_CONVERSION_ERROR_H_

#include <stdexcept>
#include <string>

namespace exportlib {

/// Thrown when a text that must be a number is not one. The export driver
/// catches it, shows its message and ends the export; it never reaches the
/// host.
class ConversionError : public std::runtime_error {
 public:
  /// `text` is the offending text; what() reads "'<text>' is not a valid integer value"
  /// or "... floating point value".
  ConversionError(const std::string& text, bool integer);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_CONVERSION_ERROR_H_
