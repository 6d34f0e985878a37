// Reads numbers out of a file's bytes; every read is checked with Has first,
// so a short or damaged file ends in a message, never a read past its end.
#ifndef GANNET_TOOLS_IMG2TIM_BYTE_READER_H_
#define GANNET_TOOLS_IMG2TIM_BYTE_READER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace img2tim {

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  /// Whether `count` bytes from `offset` lie inside; never overflows.
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::size_t size() const { return data_.size(); }

  std::uint8_t U8(std::size_t offset) const { return static_cast<std::uint8_t>(data_[offset]); }
  std::uint16_t U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
  }
  std::uint32_t U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(U16(offset)) |
           (static_cast<std::uint32_t>(U16(offset + 2)) << 16);
  }
  std::uint32_t U32BigEndian(std::size_t offset) const {
    return (static_cast<std::uint32_t>(U8(offset)) << 24) |
           (static_cast<std::uint32_t>(U8(offset + 1)) << 16) |
           (static_cast<std::uint32_t>(U8(offset + 2)) << 8) | U8(offset + 3);
  }
  std::string_view Text(std::size_t offset, std::size_t count) const {
    return data_.substr(offset, count);
  }

 private:
  std::string_view data_;
};

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_BYTE_READER_H_
