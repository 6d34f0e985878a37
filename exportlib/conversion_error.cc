#include "exportlib/conversion_error.h"

namespace exportlib {

ConversionError::ConversionError(const std::string& text, bool integer)
    : std::runtime_error("'" + text + "' is not a valid " +
                         (integer ? "integer" : "floating point") + " value"),
      text_(text) {}

}  // namespace exportlib
