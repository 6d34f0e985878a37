// The text rules both plug-ins read names, lines and settings with:
// trimming, ASCII case and 1-based positions. Bytes above 127 are never
// letters here, whatever the user's code page makes of them.
#ifndef GANNET_EXPORTLIB_TEXT_RULES_H_
#define GANNET_EXPORTLIB_TEXT_RULES_H_

#include <string>
#include <string_view>

namespace exportlib {

/// `text` without its leading and trailing characters of code 32 or below.
std::string_view TrimControl(std::string_view text);
/// `text` with A to Z turned into a to z; every other byte unchanged.
std::string LowerAscii(std::string_view text);
/// True when `a` and `b` are equal apart from the case of ASCII letters.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
/// The text from 1-based character `position` to the end; empty when the
/// position lies beyond the end, the whole text for positions below 1.
std::string_view FromPosition(std::string_view text, long long position);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_TEXT_RULES_H_
