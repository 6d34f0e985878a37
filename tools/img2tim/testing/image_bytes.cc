#include "tools/img2tim/testing/image_bytes.h"

namespace img2tim::test_files {
namespace {

void U16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void U32(std::string& out, unsigned value) {
  U16(out, value & 0xFFFF);
  U16(out, value >> 16);
}

}  // namespace

std::string Bmp(int width, int height, int bits, unsigned compression,
                const std::vector<Rgb>& palette, const std::string& pixels,
                const std::vector<unsigned>& masks) {
  const unsigned offset = 14 + 40 + static_cast<unsigned>(masks.size() * 4 + palette.size() * 4);
  std::string out = "BM";
  U32(out, offset + static_cast<unsigned>(pixels.size()));
  U32(out, 0);
  U32(out, offset);
  U32(out, 40);
  U32(out, static_cast<unsigned>(width));
  U32(out, static_cast<unsigned>(height));
  U16(out, 1);
  U16(out, static_cast<unsigned>(bits));
  U32(out, compression);
  U32(out, static_cast<unsigned>(pixels.size()));
  U32(out, 2835);
  U32(out, 2835);
  U32(out, static_cast<unsigned>(palette.size()));
  U32(out, 0);
  for (unsigned mask : masks) {
    U32(out, mask);
  }
  for (const Rgb& c : palette) {
    out += static_cast<char>(c.blue);
    out += static_cast<char>(c.green);
    out += static_cast<char>(c.red);
    out += '\0';
  }
  return out + pixels;
}

}  // namespace img2tim::test_files
