// The text rules of the batch tool: trimming, ASCII lower case, 1-based
// positions and the "found after the first character" test.
#ifndef GANNET_BATCHTOOL_TEXT_RULES_H_
#define GANNET_BATCHTOOL_TEXT_RULES_H_

#include <string>
#include <string_view>

namespace batchtool {

/// `text` without its leading and trailing characters of code 32 or below.
std::string_view TrimControl(std::string_view text);
/// `text` with A to Z turned into a to z; every other byte unchanged.
std::string LowerAscii(std::string_view text);
/// True when `a` and `b` are equal apart from the case of ASCII letters.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
/// The text from 1-based character `position` to the end; empty when the
/// position lies beyond the end, the whole text for positions below 1.
std::string_view FromPosition(std::string_view text, long long position);
/// True when the first occurrence of `needle` in `text` starts at its second
/// character or later (an occurrence at the very first character does not
/// count, as the tool's output tests have always read it).
bool FoundAfterFirstCharacter(std::string_view text, std::string_view needle);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_TEXT_RULES_H_
