// The decimal separator of the user's regional settings.
#ifndef GANNET_PLATFORM_DECIMAL_SEPARATOR_H_
#define GANNET_PLATFORM_DECIMAL_SEPARATOR_H_

namespace platform {

/// Reads the separator from the user's settings without changing the
/// process's locale. Win32: GetLocaleInfoA(LOCALE_USER_DEFAULT,
/// LOCALE_SDECIMAL). POSIX: the locale named by LC_ALL, LC_NUMERIC or LANG,
/// in that order; '.' when none is set or the locale is unknown.
char ReadUserDecimalSeparator();

}  // namespace platform

#endif  // GANNET_PLATFORM_DECIMAL_SEPARATOR_H_
