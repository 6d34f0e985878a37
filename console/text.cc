#include "console/text.h"

namespace text {
namespace {

constexpr int kPixel = 2;
constexpr int kAdvance = 4 * kPixel;

// Rows top first, three bits each, the leftmost pixel in the highest bit.
struct Glyph {
  char character;
  uint8_t rows[5];
};

constexpr Glyph kFont[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'B', {6, 5, 6, 5, 6}}, {'L', {4, 4, 4, 4, 7}},
    {'S', {7, 4, 7, 1, 7}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},
};

const Glyph* GlyphOf(char character) {
  for (const Glyph& glyph : kFont) {
    if (glyph.character == character) {
      return &glyph;
    }
  }
  return nullptr;
}

// One monochrome rectangle: command and colour, top-left, size.
constexpr uint32_t kRectangleWords = 3;

void Pixel(packets::Buffer& buffer, uint32_t* entry, int x, int y, uint32_t rgb) {
  uint32_t* packet = buffer.Take(kRectangleWords);
  if (packet == nullptr) {
    return;
  }
  packet[1] = 0x60000000 | (rgb & 0xFFFFFF);
  packet[2] = static_cast<uint32_t>(y) << 16 | static_cast<uint32_t>(x);
  packet[3] = kPixel << 16 | kPixel;
  packets::Link(entry, packet, kRectangleWords);
}

}  // namespace

void Draw(packets::Buffer& buffer, uint32_t* entry, int x, int y, const char* line, uint32_t rgb) {
  for (; *line != '\0'; ++line, x += kAdvance) {
    const Glyph* glyph = GlyphOf(*line);
    if (glyph == nullptr) {
      continue;
    }
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 3; ++column) {
        if ((glyph->rows[row] >> (2 - column) & 1) != 0) {
          Pixel(buffer, entry, x + column * kPixel, y + row * kPixel, rgb);
        }
      }
    }
  }
}

char* Decimal(char* out, uint32_t value) {
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) {
    *out++ = digits[--count];
  }
  return out;
}

}  // namespace text
