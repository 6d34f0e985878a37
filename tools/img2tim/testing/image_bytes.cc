#include "tools/img2tim/testing/image_bytes.h"

#include <cstdint>

namespace img2tim::test_files {
namespace {

void U32BigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out += static_cast<char>((value >> shift) & 0xFF);
  }
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

std::uint32_t Adler32(const std::string& bytes) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void Chunk(std::string& out, const std::string& type, const std::string& data) {
  U32BigEndian(out, static_cast<std::uint32_t>(data.size()));
  out += type + data;
  U32BigEndian(out, Crc32(type + data));
}

// A zlib stream of one stored (uncompressed) block.
std::string Stored(const std::string& data) {
  std::string out("\x78\x01\x01", 3);
  U16(out, static_cast<unsigned>(data.size()));
  U16(out, static_cast<unsigned>(~data.size() & 0xFFFF));
  out += data;
  U32BigEndian(out, Adler32(data));
  return out;
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

std::string Png(int width, int height, int bit_depth, int colour_type,
                const std::vector<std::string>& rows, const std::vector<Rgb>& palette,
                const std::string& transparency) {
  std::string out("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  U32BigEndian(header, static_cast<std::uint32_t>(width));
  U32BigEndian(header, static_cast<std::uint32_t>(height));
  header += static_cast<char>(bit_depth);
  header += static_cast<char>(colour_type);
  header += std::string(3, '\0');  // deflate, adaptive filters, no interlace
  Chunk(out, "IHDR", header);
  if (!palette.empty()) {
    std::string entries;
    for (const Rgb& c : palette) {
      entries += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    }
    Chunk(out, "PLTE", entries);
  }
  if (!transparency.empty()) {
    Chunk(out, "tRNS", transparency);
  }
  std::string filtered;
  for (const std::string& row : rows) {
    filtered += '\0' + row;
  }
  Chunk(out, "IDAT", Stored(filtered));
  Chunk(out, "IEND", "");
  return out;
}

std::string Tga(int image_type, int width, int height, int bits, const std::string& colour_map,
                int map_entries, int entry_bits, const std::string& pixels, int descriptor) {
  std::string out;
  out += '\0';  // no image id
  out += static_cast<char>(colour_map.empty() ? 0 : 1);
  out += static_cast<char>(image_type);
  U16(out, 0);  // first entry
  U16(out, static_cast<unsigned>(map_entries));
  out += static_cast<char>(entry_bits);
  U16(out, 0);  // x and y origin
  U16(out, 0);
  U16(out, static_cast<unsigned>(width));
  U16(out, static_cast<unsigned>(height));
  out += static_cast<char>(bits);
  out += static_cast<char>(descriptor);
  return out + colour_map + pixels;
}

void U16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void U32(std::string& out, unsigned value) {
  U16(out, value & 0xFFFF);
  U16(out, value >> 16);
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

}  // namespace img2tim::test_files
