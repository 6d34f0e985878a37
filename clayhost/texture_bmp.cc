#include "clayhost/texture_bmp.h"

#include "toolfiles/output_file.h"

namespace clayhost {
namespace {

constexpr int kRgbChannels = 3;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::string BmpBytes(const RgbPicture& picture) {
  const auto width = static_cast<std::uint32_t>(picture.width);
  const auto height = static_cast<std::uint32_t>(picture.height);
  const std::uint32_t pad = (4 - (width * kRgbChannels) % 4) % 4;
  const std::uint32_t row_size = width * kRgbChannels + pad;
  std::string out = "BM";
  out.reserve(kFileHeaderSize + kInfoHeaderSize + std::size_t{row_size} * height);
  Put32(out, kFileHeaderSize + kInfoHeaderSize + row_size * height);
  Put32(out, 0);  // two reserved 16-bit fields
  Put32(out, kFileHeaderSize + kInfoHeaderSize);
  Put32(out, kInfoHeaderSize);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  for (int field = 0; field < 6; ++field) {
    Put32(out, 0);  // no compression, image size, resolution or palette
  }
  for (std::uint32_t row = height; row-- > 0;) {
    const std::uint8_t* pixel = picture.rgb.data() + std::size_t{row} * width * kRgbChannels;
    for (std::uint32_t x = 0; x < width; ++x, pixel += kRgbChannels) {
      out += static_cast<char>(pixel[2]);
      out += static_cast<char>(pixel[1]);
      out += static_cast<char>(pixel[0]);
    }
    out.append(pad, '\0');
  }
  return out;
}

RgbPicture PlainPicture(const Texture& texture) {
  RgbPicture picture{texture.width, texture.height, {}};
  picture.rgb.resize(static_cast<std::size_t>(texture.width) * texture.height * kRgbChannels);
  for (std::size_t i = 0; i < picture.rgb.size(); ++i) {
    picture.rgb[i] = texture.rgb[i % kRgbChannels];
  }
  return picture;
}

}  // namespace

std::optional<std::string> WriteBmpFile(const std::string& path, const RgbPicture& picture) {
  return toolfiles::WriteOutputFile(path, BmpBytes(picture));
}

std::optional<std::string> WriteTextureBmp(const Texture& texture, const std::string& path,
                                           const ImageFileReader& read_image) {
  RgbPicture picture;
  if (texture.file.empty()) {
    picture = PlainPicture(texture);
  } else if (!read_image) {
    return "cannot read the image " + texture.file + ": this host reads no image files";
  } else if (const auto problem = read_image(texture.file, &picture)) {
    return problem;
  }
  return WriteBmpFile(path, picture);
}

}  // namespace clayhost
