#include "tools/img2tim/bmp_image.h"

#include <array>
#include <bit>

namespace img2tim {
namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
// Larger images cannot live in the console's video memory anyway.
constexpr int kMaxSide = 4096;

// Little-endian reads that fail softly past the end.
class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::uint8_t U8(std::size_t offset) const { return static_cast<std::uint8_t>(data_[offset]); }
  std::uint16_t U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
  }
  std::uint32_t U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(U16(offset)) |
           (static_cast<std::uint32_t>(U16(offset + 2)) << 16);
  }
  std::size_t size() const { return data_.size(); }

 private:
  std::string_view data_;
};

struct Header {
  std::uint32_t pixel_offset = 0;
  std::uint32_t header_size = 0;
  int width = 0;
  int height = 0;  // positive
  bool top_down = false;
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colors_used = 0;
  std::array<std::uint32_t, 3> masks = {0, 0, 0};
};

bool ReadHeader(const Bytes& in, Header& header, std::string& error) {
  if (!in.Has(0, 26) || in.U8(0) != 'B' || in.U8(1) != 'M') {
    error = "not a BMP file";
    return false;
  }
  header.pixel_offset = in.U32(10);
  header.header_size = in.U32(14);
  std::int64_t height = 0;
  if (header.header_size == 12) {
    header.width = in.U16(18);
    height = in.U16(20);
    header.bits = in.U16(24);
  } else if (header.header_size >= 40 && in.Has(14, header.header_size)) {
    header.width = static_cast<std::int32_t>(in.U32(18));
    height = static_cast<std::int32_t>(in.U32(22));
    header.bits = in.U16(28);
    header.compression = in.U32(30);
    header.colors_used = in.U32(46);
    if (header.compression == kBitFields) {
      const std::size_t at = header.header_size >= 52 ? 54 : 14 + header.header_size;
      if (!in.Has(at, 12)) {
        error = "truncated colour masks";
        return false;
      }
      header.masks = {in.U32(at), in.U32(at + 4), in.U32(at + 8)};
    }
  } else {
    error = "unknown BMP header";
    return false;
  }
  header.top_down = height < 0;
  height = height < 0 ? -height : height;
  if (header.width <= 0 || height <= 0 || header.width > kMaxSide || height > kMaxSide) {
    error = "image size out of range";
    return false;
  }
  header.height = static_cast<int>(height);
  const bool palettized = header.bits == 1 || header.bits == 4 || header.bits == 8;
  const bool direct = header.bits == 16 || header.bits == 24 || header.bits == 32;
  const bool compression_fits =
      header.compression == kRgb || (header.compression == kRle8 && header.bits == 8) ||
      (header.compression == kRle4 && header.bits == 4) ||
      (header.compression == kBitFields && (header.bits == 16 || header.bits == 32));
  if ((!palettized && !direct) || !compression_fits) {
    error = "unsupported pixel format";
    return false;
  }
  return true;
}

bool ReadPalette(const Bytes& in, const Header& header, BmpImage& image, std::string& error) {
  if (header.bits > 8) {
    return true;
  }
  const std::size_t capacity = std::size_t{1} << header.bits;
  std::size_t count = header.colors_used == 0 ? capacity : header.colors_used;
  if (count > capacity) {
    count = capacity;
  }
  const std::size_t entry = header.header_size == 12 ? 3 : 4;
  std::size_t at = 14 + header.header_size;
  if (header.compression == kBitFields && header.header_size == 40) {
    at += 12;
  }
  if (!in.Has(at, count * entry)) {
    error = "truncated palette";
    return false;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t p = at + i * entry;
    image.palette.push_back({in.U8(p + 2), in.U8(p + 1), in.U8(p)});
  }
  return true;
}

// A channel under `mask` scaled to 8 bits.
std::uint8_t Channel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) {
    return 0;
  }
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const std::uint32_t raw = (value & mask) >> shift;
  const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
  return static_cast<std::uint8_t>((static_cast<std::uint64_t>(raw) * 255 + max / 2) / max);
}

// Row `row` counted from the top of the image, as stored in the file.
std::size_t StoredRow(const Header& header, int row) {
  return static_cast<std::size_t>(header.top_down ? row : header.height - 1 - row);
}

bool SetIndex(BmpImage& image, std::size_t at, std::uint8_t index, std::string& error) {
  if (index >= image.palette.size()) {
    error = "colour index outside the palette";
    return false;
  }
  image.indices[at] = index;
  image.pixels[at] = image.palette[index];
  return true;
}

bool ReadUncompressed(const Bytes& in, const Header& header, BmpImage& image, std::string& error) {
  const std::size_t stride =
      ((static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.bits) + 31) / 32) *
      4;
  if (!in.Has(header.pixel_offset, stride * static_cast<std::size_t>(header.height))) {
    error = "truncated pixel data";
    return false;
  }
  std::array<std::uint32_t, 3> masks = header.masks;
  if (header.compression == kRgb) {
    masks = header.bits == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                              : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
  }
  for (int y = 0; y < header.height; ++y) {
    const std::size_t row = header.pixel_offset + StoredRow(header, y) * stride;
    for (int x = 0; x < header.width; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * header.width + x;
      const std::size_t bit = static_cast<std::size_t>(x) * header.bits;
      switch (header.bits) {
        case 1:
        case 4:
        case 8: {
          const int shift = 8 - header.bits - static_cast<int>(bit % 8);
          const auto index =
              static_cast<std::uint8_t>((in.U8(row + bit / 8) >> shift) & ((1 << header.bits) - 1));
          if (!SetIndex(image, at, index, error)) {
            return false;
          }
          break;
        }
        case 24: {
          const std::size_t p = row + bit / 8;
          image.pixels[at] = {in.U8(p + 2), in.U8(p + 1), in.U8(p)};
          break;
        }
        default: {
          const std::size_t p = row + bit / 8;
          const std::uint32_t value = header.bits == 16 ? in.U16(p) : in.U32(p);
          image.pixels[at] = {Channel(value, masks[0]), Channel(value, masks[1]),
                              Channel(value, masks[2])};
        }
      }
    }
  }
  return true;
}

// RLE8 and RLE4: runs and absolute blocks, bottom row first.
bool ReadRunLength(const Bytes& in, const Header& header, BmpImage& image, std::string& error) {
  const bool four = header.compression == kRle4;
  std::size_t p = header.pixel_offset;
  int x = 0;
  int stored_row = 0;  // counted from the bottom
  auto put = [&](std::uint8_t index) {
    if (x < header.width && stored_row < header.height) {
      const int y = header.height - 1 - stored_row;
      if (!SetIndex(image, static_cast<std::size_t>(y) * header.width + x, index, error)) {
        return false;
      }
    }
    ++x;
    return true;
  };
  while (true) {
    if (!in.Has(p, 2)) {
      error = "truncated run-length data";
      return false;
    }
    const std::uint8_t count = in.U8(p);
    const std::uint8_t value = in.U8(p + 1);
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        const auto index =
            static_cast<std::uint8_t>(four ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
        if (!put(index)) {
          return false;
        }
      }
      continue;
    }
    if (value == 0) {
      x = 0;
      ++stored_row;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (!in.Has(p, 2)) {
        error = "truncated run-length data";
        return false;
      }
      x += in.U8(p);
      stored_row += in.U8(p + 1);
      p += 2;
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      if (!in.Has(p, bytes)) {
        error = "truncated run-length data";
        return false;
      }
      for (int i = 0; i < value; ++i) {
        const std::uint8_t byte = in.U8(p + (four ? i / 2 : i));
        const auto index =
            static_cast<std::uint8_t>(four ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte);
        if (!put(index)) {
          return false;
        }
      }
      p += (bytes + 1) & ~std::size_t{1};
    }
    if (stored_row > header.height) {
      return true;
    }
  }
}

}  // namespace

std::optional<BmpImage> DecodeBmp(std::string_view bytes, std::string& error) {
  const Bytes in(bytes);
  Header header;
  if (!ReadHeader(in, header, error)) {
    return std::nullopt;
  }
  BmpImage image;
  image.width = header.width;
  image.height = header.height;
  image.bits_per_pixel = header.bits;
  if (!ReadPalette(in, header, image, error)) {
    return std::nullopt;
  }
  const std::size_t count = static_cast<std::size_t>(header.width) * header.height;
  image.pixels.assign(count, Rgb{});
  if (header.bits <= 8) {
    if (image.palette.empty()) {
      error = "empty palette";
      return std::nullopt;
    }
    image.indices.assign(count, 0);
    // Pixels a run-length file skips keep colour 0.
    image.pixels.assign(count, image.palette[0]);
  }
  const bool ok = header.compression == kRle8 || header.compression == kRle4
                      ? ReadRunLength(in, header, image, error)
                      : ReadUncompressed(in, header, image, error);
  if (!ok) {
    return std::nullopt;
  }
  return image;
}

}  // namespace img2tim
