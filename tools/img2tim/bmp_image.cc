#include "tools/img2tim/bmp_image.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "tools/img2tim/byte_reader.h"

namespace img2tim {
namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

struct Header {
  std::uint32_t pixel_offset = 0;
  std::uint32_t header_size = 0;
  int width = 0;
  int height = 0;  // positive
  bool top_down = false;
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colors_used = 0;
  std::array<std::uint32_t, 4> masks = {0, 0, 0, 0};  // red, green, blue, alpha
};

// The 14-byte file header and the size field of the one after it.
constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kHeaderSizeEnd = kFileHeader + 4;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;
// From this size on the header holds an alpha mask after the colour masks.
constexpr std::uint32_t kAlphaMaskInHeader = 56;

bool ReadHeaderSize(const ByteReader& in, Header& header, std::string& error) {
  if (!in.Has(0, kHeaderSizeEnd)) {
    error = "truncated BMP header: the file has " + std::to_string(in.size()) +
            " bytes, a BMP header at least " + std::to_string(kFileHeader + kCoreHeader);
    return false;
  }
  header.pixel_offset = in.U32(10);
  header.header_size = in.U32(kFileHeader);
  if (header.header_size != kCoreHeader && header.header_size < kInfoHeader) {
    error = "unknown BMP header size " + std::to_string(header.header_size) +
            ": only 12, or 40 and more";
    return false;
  }
  if (!in.Has(kFileHeader, header.header_size)) {
    error = "truncated BMP header: the file has " + std::to_string(in.size()) + " bytes, its " +
            std::to_string(header.header_size) + "-byte header ends at byte " +
            std::to_string(std::uint64_t{kFileHeader} + header.header_size);
    return false;
  }
  return true;
}

bool ReadMasks(const ByteReader& in, Header& header, std::string& error) {
  // Inside a larger header or right after a 40-byte one: the same place.
  constexpr std::size_t at = kFileHeader + kInfoHeader;
  if (!in.Has(at, 12)) {
    error = "truncated colour masks";
    return false;
  }
  header.masks = {in.U32(at), in.U32(at + 4), in.U32(at + 8), 0};
  if (header.header_size >= kAlphaMaskInHeader) {
    header.masks[3] = in.U32(at + 12);
  }
  return true;
}

bool ReadHeader(const ByteReader& in, Header& header, std::string& error) {
  if (!ReadHeaderSize(in, header, error)) {
    return false;
  }
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (header.header_size == kCoreHeader) {
    width = in.U16(18);
    height = in.U16(20);
    header.bits = in.U16(24);
  } else {
    width = static_cast<std::int32_t>(in.U32(18));
    height = static_cast<std::int32_t>(in.U32(22));
    header.bits = in.U16(28);
    header.compression = in.U32(30);
    header.colors_used = in.U32(46);
    if (header.compression == kBitFields && !ReadMasks(in, header, error)) {
      return false;
    }
  }
  header.top_down = height < 0;
  if (!CheckImageSize(width, header.top_down ? -height : height, error)) {
    return false;
  }
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(header.top_down ? -height : height);
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

bool ReadPalette(const ByteReader& in, const Header& header, Image& image, std::string& error) {
  if (header.bits > 8) {
    return true;
  }
  const std::size_t capacity = std::size_t{1} << header.bits;
  const std::size_t count =
      header.colors_used == 0 ? capacity : std::min<std::size_t>(header.colors_used, capacity);
  const std::size_t entry = header.header_size == kCoreHeader ? 3 : 4;
  const std::size_t at = kFileHeader + header.header_size;
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

bool SetIndex(Image& image, std::size_t at, std::uint8_t index, std::string& error) {
  if (index >= image.palette.size()) {
    error = "colour index outside the palette";
    return false;
  }
  image.indices[at] = index;
  image.pixels[at] = image.palette[index];
  return true;
}

// The masks of a direct-colour format; an uncompressed one has fixed masks
// and no alpha.
std::array<std::uint32_t, 4> DirectMasks(const Header& header) {
  if (header.compression == kBitFields) {
    return header.masks;
  }
  return header.bits == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                           : std::array<std::uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0};
}

void SetDirect(Image& image, std::size_t at, std::uint32_t value,
               const std::array<std::uint32_t, 4>& masks) {
  image.pixels[at] = {Channel(value, masks[0]), Channel(value, masks[1]), Channel(value, masks[2])};
  if (!image.alpha.empty()) {
    image.alpha[at] = Channel(value, masks[3]);
  }
}

bool ReadUncompressed(const ByteReader& in, const Header& header, Image& image,
                      std::string& error) {
  const std::size_t stride =
      ((static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.bits) + 31) / 32) *
      4;
  if (!in.Has(header.pixel_offset, stride * static_cast<std::size_t>(header.height))) {
    error = "truncated pixel data";
    return false;
  }
  const std::array<std::uint32_t, 4> masks = DirectMasks(header);
  for (int y = 0; y < header.height; ++y) {
    const std::size_t row = header.pixel_offset + StoredRow(header, y) * stride;
    for (int x = 0; x < header.width; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * header.width + x;
      const std::size_t bit = static_cast<std::size_t>(x) * header.bits;
      const std::size_t p = row + bit / 8;
      if (header.bits <= 8) {
        const int shift = 8 - header.bits - static_cast<int>(bit % 8);
        const auto index =
            static_cast<std::uint8_t>((in.U8(p) >> shift) & ((1 << header.bits) - 1));
        if (!SetIndex(image, at, index, error)) {
          return false;
        }
      } else if (header.bits == 24) {
        image.pixels[at] = {in.U8(p + 2), in.U8(p + 1), in.U8(p)};
      } else {
        SetDirect(image, at, header.bits == 16 ? in.U16(p) : in.U32(p), masks);
      }
    }
  }
  return true;
}

// Where the next run-length pixel goes; refuses one outside the image.
class RunCursor {
 public:
  RunCursor(const Header& header, Image& image) : header_(header), image_(image) {}

  bool Put(std::uint8_t index, std::string& error) {
    if (x_ >= header_.width) {
      error = "run-length data runs past the end of a row: pixel " + std::to_string(x_ + 1) +
              " of a row " + std::to_string(header_.width) + " wide";
      return false;
    }
    if (stored_row_ >= header_.height) {
      error = "run-length data runs past the image's last row (height " +
              std::to_string(header_.height) + ")";
      return false;
    }
    const int y = header_.height - 1 - stored_row_;
    return SetIndex(image_, static_cast<std::size_t>(y) * header_.width + x_++, index, error);
  }
  void NextRow() {
    x_ = 0;
    ++stored_row_;
  }
  // Anything right of the row's end is past it, so x stops there.
  void Move(int right, int up) {
    x_ = std::min(x_ + right, header_.width);
    stored_row_ += up;
  }
  bool PastLastRow() const { return stored_row_ > header_.height; }

 private:
  const Header& header_;
  Image& image_;
  int x_ = 0;
  int stored_row_ = 0;  // counted from the bottom
};

// Index `i` of a run or block whose bytes hold one (8-bit) or two (4-bit,
// high nibble first) indices.
std::uint8_t RunIndex(bool four, std::uint8_t byte, int i) {
  return static_cast<std::uint8_t>(four ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte);
}

// RLE8 and RLE4: runs and absolute blocks, bottom row first.
bool ReadRunLength(const ByteReader& in, const Header& header, Image& image, std::string& error) {
  const bool four = header.compression == kRle4;
  std::size_t p = header.pixel_offset;
  RunCursor cursor(header, image);
  while (!cursor.PastLastRow()) {
    if (!in.Has(p, 2)) {
      error = "truncated run-length data";
      return false;
    }
    const std::uint8_t count = in.U8(p);
    const std::uint8_t value = in.U8(p + 1);
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        if (!cursor.Put(RunIndex(four, value, i), error)) {
          return false;
        }
      }
    } else if (value == 0) {
      cursor.NextRow();
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (!in.Has(p, 2)) {
        error = "truncated run-length data";
        return false;
      }
      cursor.Move(in.U8(p), in.U8(p + 1));
      p += 2;
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      if (!in.Has(p, bytes)) {
        error = "truncated run-length data";
        return false;
      }
      for (int i = 0; i < value; ++i) {
        if (!cursor.Put(RunIndex(four, in.U8(p + (four ? i / 2 : i)), i), error)) {
          return false;
        }
      }
      p += (bytes + 1) & ~std::size_t{1};
    }
  }
  return true;
}

}  // namespace

bool LooksLikeBmp(std::string_view bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::optional<Image> DecodeBmp(std::string_view bytes, std::string& error) {
  if (!LooksLikeBmp(bytes)) {
    error = "not a BMP file";
    return std::nullopt;
  }
  const ByteReader in(bytes);
  Header header;
  if (!ReadHeader(in, header, error)) {
    return std::nullopt;
  }
  Image image;
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
  } else if (DirectMasks(header)[3] != 0) {
    image.alpha.assign(count, kOpaque);
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
