// A line of text drawn without a texture: every lit pixel of a small 3 x 5
// font is a rectangle of 2 x 2 screen pixels, so the text needs no place in
// video memory. Digits, space and the capitals that the frame report uses.
#ifndef GANNET_CONSOLE_TEXT_H_
#define GANNET_CONSOLE_TEXT_H_

#include <stdint.h>

#include "console/packets.h"

namespace text {

/// Links the packets that draw `line` with its top-left corner at (x, y) in
/// colour `rgb` into table entry `entry`. Characters the font lacks are
/// drawn as spaces.
void Draw(packets::Buffer& buffer, uint32_t* entry, int x, int y, const char* line, uint32_t rgb);

/// Writes `value` in decimal at `out` and returns the end of what it wrote.
char* Decimal(char* out, uint32_t value);

}  // namespace text

#endif  // GANNET_CONSOLE_TEXT_H_
