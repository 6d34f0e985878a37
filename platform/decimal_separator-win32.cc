#include "platform/decimal_separator.h"

#include <windows.h>

namespace platform {

char ReadUserDecimalSeparator() {
  // The setting may hold up to three characters; the plug-ins use one.
  char separator[4] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof(separator)) > 0 &&
      separator[0] != '\0') {
    return separator[0];
  }
  return '.';
}

}  // namespace platform
