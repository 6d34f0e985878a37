// The plug-ins speak 8-bit ANSI text; the host's files (scenes, transcripts)
// are UTF-8. The host maps between the two as Latin-1, where every byte is
// the character of the same number, so any byte sequence survives the trip.
#ifndef GANNET_CLAYHOST_ANSI_TEXT_H_
#define GANNET_CLAYHOST_ANSI_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

namespace clayhost {

/// UTF-8 for 8-bit text read as Latin-1: bytes below 0x80 stay, the others
/// become two-byte sequences. Never fails.
std::string Latin1ToUtf8(std::string_view bytes);

/// 8-bit text for UTF-8 whose characters are all at most U+00FF; nullopt for
/// a larger character or malformed UTF-8.
std::optional<std::string> Utf8ToLatin1(std::string_view utf8);

/// The text in double quotes with C escapes: \" \\ \r \n \t, and \xNN for the
/// other bytes below 0x20 and for 0x7F and above. Shows every byte exactly.
std::string QuoteBytes(std::string_view bytes);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_ANSI_TEXT_H_
