#include "tools/rsdformat/tim_file.h"

#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/texture_page.h"

namespace rsdformat {
namespace {

constexpr std::uint32_t kId = 0x10;
constexpr std::uint32_t kClutFlag = 0x08;
constexpr std::size_t kBlockHeader = 12;

std::string Hex(std::uint32_t value) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), digits[value & 15]);
    value >>= 4;
  } while (value != 0);
  return "0x" + out;
}

// Reads little-endian fields and never past the end.
class ByteReader {
 public:
  ByteReader(std::string_view bytes, const std::string& file) : bytes_(bytes), file_(file) {}

  std::size_t offset() const { return offset_; }

  std::uint32_t U16(std::string_view what) {
    Need(2, what);
    const std::uint32_t value = Byte(0) | (Byte(1) << 8);
    offset_ += 2;
    return value;
  }

  std::uint32_t U32(std::string_view what) {
    Need(4, what);
    const std::uint32_t value = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (Byte(3) << 24);
    offset_ += 4;
    return value;
  }

  std::vector<std::uint16_t> Words(std::size_t count, std::string_view what) {
    if ((bytes_.size() - offset_) / 2 < count) {
      throw ByteError(file_, offset_,
                      std::string(what) + " needs " + std::to_string(2 * count) +
                          " bytes, the file has " + std::to_string(bytes_.size() - offset_) +
                          " left");
    }
    std::vector<std::uint16_t> words(count);
    for (std::uint16_t& word : words) {
      word = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
      offset_ += 2;
    }
    return words;
  }

  ReadError Error(std::size_t at, const std::string& message) const {
    return ByteError(file_, at, message);
  }

 private:
  std::uint32_t Byte(std::size_t k) const {
    return static_cast<unsigned char>(bytes_[offset_ + k]);
  }
  void Need(std::size_t size, std::string_view what) const {
    if (bytes_.size() - offset_ < size) {
      throw ByteError(file_, offset_,
                      "the file ends where " + std::string(what) + " was expected (" +
                          std::to_string(bytes_.size()) + " bytes)");
    }
  }

  std::string_view bytes_;
  const std::string& file_;
  std::size_t offset_ = 0;
};

struct Block {
  std::uint32_t x = 0, y = 0, width = 0, height = 0;
  std::vector<std::uint16_t> words;
};

// A block header and its words; `width_name` says what the width counts.
Block ReadBlock(ByteReader& reader, const char* name, const char* width_name) {
  const std::size_t start = reader.offset();
  const std::string block(name);
  const std::uint32_t length = reader.U32(block + " block length");
  Block result;
  result.x = reader.U16(block + " x");
  result.y = reader.U16(block + " y");
  const std::size_t width_at = reader.offset();
  result.width = reader.U16(block + " " + width_name);
  result.height = reader.U16(block + " rows");
  if (result.width == 0 || result.height == 0) {
    throw reader.Error(width_at, block + " of " + std::to_string(result.width) + " x " +
                                     std::to_string(result.height) + " is empty");
  }
  const std::uint64_t expected = kBlockHeader + 2ull * result.width * result.height;
  if (length != expected) {
    throw reader.Error(start, block + " block length " + std::to_string(length) +
                                  " does not match " + std::to_string(result.width) + " x " +
                                  std::to_string(result.height) + " (expected " +
                                  std::to_string(expected) + ")");
  }
  result.words = reader.Words(std::size_t{result.width} * result.height, block + " data");
  return result;
}

}  // namespace

std::uint16_t TimFile::Texel(int u, int v) const {
  if (u < 0 || v < 0 || u >= texel_width() || v >= rows) {
    return 0;
  }
  const int per_word = 16 / depth;
  const std::uint16_t word = data[static_cast<std::size_t>(v) * static_cast<std::size_t>(columns) +
                                  static_cast<std::size_t>(u / per_word)];
  if (depth == 16) {
    return word;
  }
  const int shift = (u % per_word) * depth;
  return static_cast<std::uint16_t>((word >> shift) & ((1u << depth) - 1));
}

std::optional<std::uint16_t> TimFile::Color(int u, int v, int palette_row) const {
  if (u < 0 || v < 0 || u >= texel_width() || v >= rows) {
    return std::nullopt;
  }
  const std::uint16_t texel = Texel(u, v);
  if (depth == 16) {
    return texel;
  }
  if (!clut || palette_row < 0 || palette_row >= clut->rows || texel >= clut->colors_per_row) {
    return std::nullopt;
  }
  return clut->colors[static_cast<std::size_t>(palette_row) *
                          static_cast<std::size_t>(clut->colors_per_row) +
                      texel];
}

TimFile ParseTim(std::string_view bytes, const std::string& file) {
  ByteReader reader(bytes, file);
  const std::uint32_t id = reader.U32("the id");
  if (id != kId) {
    throw reader.Error(0, "id " + Hex(id) + " is not a TIM file's 0x10");
  }
  const std::uint32_t flags = reader.U32("the flag word");
  const std::uint32_t mode = flags & 0x07;
  if ((flags & ~(kClutFlag | 0x07)) != 0 || mode > 2) {
    throw reader.Error(
        4, "flags " + Hex(flags) + " are not 4-, 8- or 16-bit (0, 1 or 2, plus 8 with a CLUT)");
  }
  TimFile tim;
  tim.file = file;
  tim.depth = mode == 0 ? 4 : mode == 1 ? 8 : 16;
  if (flags & kClutFlag) {
    Block clut = ReadBlock(reader, "CLUT", "colours");
    tim.clut =
        TimClut{static_cast<int>(clut.x), static_cast<int>(clut.y), static_cast<int>(clut.width),
                static_cast<int>(clut.height), std::move(clut.words)};
  }
  Block image = ReadBlock(reader, "image", "columns");
  tim.x = static_cast<int>(image.x);
  tim.y = static_cast<int>(image.y);
  tim.columns = static_cast<int>(image.width);
  tim.rows = static_cast<int>(image.height);
  tim.data = std::move(image.words);
  return tim;
}

TimFile ReadTim(const std::filesystem::path& path) {
  return ParseTim(ReadWholeFile(path, kTimFileLimit), path.string());
}

namespace {

std::string Span(const char* what, int first, int count) {
  const std::string from = std::to_string(first);
  return count == 1 ? std::string(what) + " " + from
                    : std::string(what) + "s " + from + "-" + std::to_string(first + count - 1);
}

std::optional<std::string> Outside(const char* what, int x, int y, int columns, int rows) {
  if (x + columns <= kVramColumns && y + rows <= kVramRows) {
    return std::nullopt;
  }
  return std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y) +
         " runs past video memory (" + Span("column", x, columns) + ", " + Span("row", y, rows) +
         "; it has columns 0-" + std::to_string(kVramColumns - 1) + ", rows 0-" +
         std::to_string(kVramRows - 1) + ")";
}

}  // namespace

std::optional<std::string> OutsideVideoMemory(const TimFile& tim) {
  if (auto image = Outside("image", tim.x, tim.y, tim.columns, tim.rows)) {
    return image;
  }
  if (tim.clut) {
    return Outside("palette", tim.clut->x, tim.clut->y, tim.clut->colors_per_row, tim.clut->rows);
  }
  return std::nullopt;
}

Rgb ColorToRgb(std::uint16_t color) {
  const auto widen = [](unsigned five) {
    return static_cast<std::uint8_t>((five * 255 + 15) / 31);
  };
  return {widen(color & 31), widen((color >> 5) & 31), widen((color >> 10) & 31)};
}

}  // namespace rsdformat
