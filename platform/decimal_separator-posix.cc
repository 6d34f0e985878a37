#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <initializer_list>

#include "platform/decimal_separator.h"

namespace platform {
namespace {

// The locale name in force for numbers, by the usual precedence.
const char* NumericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
      return value;
    }
  }
  return nullptr;
}

}  // namespace

char ReadUserDecimalSeparator() {
  const char* name = NumericLocaleName();
  if (name == nullptr) {
    return '.';
  }
  // A private locale object: the process's own locale is left as it is.
  locale_t locale = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) {
    return '.';
  }
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  // A separator of more than one byte has no 8-bit spelling.
  const char separator =
      (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') ? radix[0] : '.';
  freelocale(locale);
  return separator;
}

}  // namespace platform
