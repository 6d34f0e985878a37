#include "tools/rsdview/gif_file.h"

#include <gif_lib.h>

#include <memory>

namespace rsdview {
namespace {

constexpr int kCubeSteps = 6;
constexpr int kCubeSize = kCubeSteps * kCubeSteps * kCubeSteps;  // 216
constexpr int kGreys = 256 - kCubeSize;                          // 40

int CubeStep(std::uint8_t value) {
  return (value * (kCubeSteps - 1) + 127) / 255;
}
std::uint8_t CubeLevel(int step) {
  return static_cast<std::uint8_t>(step * 255 / (kCubeSteps - 1));
}
std::uint8_t GreyLevel(int grey) {
  return static_cast<std::uint8_t>(grey * 255 / (kGreys - 1));
}
int Distance(Rgb a, Rgb b) {
  const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
  return dr * dr + dg * dg + db * db;
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// The extension that makes viewers repeat the pictures for ever.
bool PutLoopExtension(GifFileType* gif) {
  static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kForever, kForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrame(GifFileType* gif, const Canvas& frame, int delay_ms) {
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = (delay_ms + 5) / 10;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
          GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, frame.width(), frame.height(), false, nullptr) != GIF_OK) {
    return false;
  }
  std::vector<GifPixelType> row(static_cast<std::size_t>(frame.width()));
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) {
      row[static_cast<std::size_t>(x)] = GifColorIndex(frame.At(x, y));
    }
    if (EGifPutLine(gif, row.data(), frame.width()) != GIF_OK) {
      return false;
    }
  }
  return true;
}

int Append(GifFileType* gif, const GifByteType* bytes, int count) {
  static_cast<std::string*>(gif->UserData)
      ->append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
  return count;
}

bool Encode(const std::vector<Canvas>& frames, int delay_ms, std::string& out) {
  int error = 0;
  GifHandle gif(EGifOpen(&out, &Append, &error));
  if (!gif) {
    return false;
  }
  EGifSetGifVersion(gif.get(), true);
  GifColorType colors[256];
  for (int i = 0; i < 256; ++i) {
    const Rgb color = GifPaletteColor(static_cast<std::uint8_t>(i));
    colors[i] = {color.red, color.green, color.blue};
  }
  std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(GifMakeMapObject(256, colors),
                                                                   &GifFreeMapObject);
  if (!map ||
      EGifPutScreenDesc(gif.get(), frames.front().width(), frames.front().height(), 8, 0,
                        map.get()) != GIF_OK ||
      !PutLoopExtension(gif.get())) {
    return false;
  }
  for (const Canvas& frame : frames) {
    if (!PutFrame(gif.get(), frame, delay_ms)) {
      return false;
    }
  }
  GifFileType* closing = gif.release();
  return EGifCloseFile(closing, &error) == GIF_OK;
}

}  // namespace

Rgb GifPaletteColor(std::uint8_t index) {
  if (index < kCubeSize) {
    return {CubeLevel(index / (kCubeSteps * kCubeSteps)),
            CubeLevel(index / kCubeSteps % kCubeSteps), CubeLevel(index % kCubeSteps)};
  }
  const std::uint8_t level = GreyLevel(index - kCubeSize);
  return {level, level, level};
}

std::uint8_t GifColorIndex(Rgb color) {
  const int cube = (CubeStep(color.red) * kCubeSteps + CubeStep(color.green)) * kCubeSteps +
                   CubeStep(color.blue);
  const int mean = (color.red + color.green + color.blue) / 3;
  const int grey = kCubeSize + (mean * (kGreys - 1) + 127) / 255;
  const auto pick = Distance(color, GifPaletteColor(static_cast<std::uint8_t>(grey))) <
                            Distance(color, GifPaletteColor(static_cast<std::uint8_t>(cube)))
                        ? grey
                        : cube;
  return static_cast<std::uint8_t>(pick);
}

std::optional<std::string> GifBytes(const std::vector<Canvas>& frames, int delay_ms) {
  std::string bytes;
  if (frames.empty() || !Encode(frames, delay_ms, bytes)) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace rsdview
