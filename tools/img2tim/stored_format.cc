#include "tools/img2tim/stored_format.h"

#include <algorithm>
#include <cstddef>

#include "tools/img2tim/byte_reader.h"

namespace img2tim {
namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr std::size_t kMaxPaletteSize = 256;

// Bits a pixel takes in each PNG colour type: grey, -, RGB, palette, grey
// with alpha, -, RGBA.
int PngBitsPerPixel(int colour_type, int bit_depth) {
  constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  return colour_type >= 0 && colour_type < 7 ? kChannels[colour_type] * bit_depth : 0;
}

constexpr int kPngPalette = 3;

void ReadPngChunk(std::string_view type, const ByteReader& in, std::size_t at, std::uint32_t length,
                  StoredFormat& format) {
  if (type == "PLTE") {
    format.palette.clear();
    for (std::size_t i = 0; i < std::min<std::size_t>(length / 3, kMaxPaletteSize); ++i) {
      format.palette.push_back({in.U8(at + 3 * i), in.U8(at + 3 * i + 1), in.U8(at + 3 * i + 2)});
    }
  } else if (type == "tRNS") {
    format.palette_alpha.assign(format.palette.size(), kOpaque);
    for (std::size_t i = 0; i < std::min<std::size_t>(length, format.palette.size()); ++i) {
      format.palette_alpha[i] = in.U8(at + i);
    }
  }
}

// The colour-map entry at `at`, `bits` wide, as stb's TGA decoder expands it.
void AddTgaEntry(const ByteReader& in, std::size_t at, int bits, StoredFormat& format) {
  if (bits == 15 || bits == 16) {
    const std::uint16_t value = in.U16(at);
    const auto expand = [](int five) { return static_cast<std::uint8_t>(five * 255 / 31); };
    format.palette.push_back(
        {expand((value >> 10) & 31), expand((value >> 5) & 31), expand(value & 31)});
    return;
  }
  format.palette.push_back({in.U8(at + 2), in.U8(at + 1), in.U8(at)});
  if (bits == 32) {
    format.palette_alpha.push_back(in.U8(at + 3));
  }
}

}  // namespace

bool LooksLikePng(std::string_view bytes) {
  return bytes.substr(0, kPngSignature.size()) == kPngSignature;
}

std::optional<StoredFormat> ReadPngFormat(std::string_view bytes) {
  if (!LooksLikePng(bytes)) {
    return std::nullopt;
  }
  const ByteReader in(bytes);
  constexpr std::size_t kIhdrLength = 13;
  std::size_t at = kPngSignature.size();
  if (!in.Has(at, 8 + kIhdrLength) || in.U32BigEndian(at) != kIhdrLength ||
      in.Text(at + 4, 4) != "IHDR") {
    return std::nullopt;
  }
  const int bit_depth = in.U8(at + 16);
  const int colour_type = in.U8(at + 17);
  StoredFormat format;
  format.bits_per_pixel = PngBitsPerPixel(colour_type, bit_depth);
  if (format.bits_per_pixel == 0) {
    return std::nullopt;
  }
  at += 8 + kIhdrLength + 4;
  // The palette and its alpha come before the image data.
  while (in.Has(at, 8)) {
    const std::uint32_t length = in.U32BigEndian(at);
    const std::string_view type = in.Text(at + 4, 4);
    if (type == "IDAT" || type == "IEND" || !in.Has(at + 8, length) ||
        !in.Has(at + 8 + length, 4)) {
      break;
    }
    if (colour_type == kPngPalette) {
      ReadPngChunk(type, in, at + 8, length, format);
    }
    at += 8 + std::size_t{length} + 4;
  }
  return format;
}

std::optional<StoredFormat> ReadTgaFormat(std::string_view bytes) {
  const ByteReader in(bytes);
  constexpr std::size_t kHeader = 18;
  if (!in.Has(0, kHeader)) {
    return std::nullopt;
  }
  const int map_type = in.U8(1);
  const int image_type = in.U8(2) & ~8;  // run-length types are 8 more
  const int first_entry = in.U16(3);
  const int entries = in.U16(5);
  const int entry_bits = in.U8(7);
  const int bits = in.U8(16);
  const auto one_of = [](int value, std::initializer_list<int> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
  };
  const bool mapped = map_type == 1 && image_type == 1 && one_of(entry_bits, {8, 15, 16, 24, 32}) &&
                      one_of(bits, {8, 16});
  const bool direct =
      map_type == 0 && one_of(image_type, {2, 3}) && one_of(bits, {8, 15, 16, 24, 32});
  if ((!mapped && !direct) || in.U16(12) == 0 || in.U16(14) == 0) {
    return std::nullopt;
  }
  StoredFormat format;
  format.bits_per_pixel = bits;
  // Only a map of colours that 8-bit indices reach from entry 0 is kept.
  const std::size_t entry_size = (entry_bits + 7) / 8;
  const std::size_t at = kHeader + in.U8(0);
  const std::size_t count = std::min<std::size_t>(entries, kMaxPaletteSize);
  if (mapped && bits == 8 && entry_bits != 8 && first_entry == 0 &&
      in.Has(at, count * entry_size)) {
    for (std::size_t i = 0; i < count; ++i) {
      AddTgaEntry(in, at + i * entry_size, entry_bits, format);
    }
  }
  return format;
}

}  // namespace img2tim
