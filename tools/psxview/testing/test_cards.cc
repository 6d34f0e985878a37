#include "tools/psxview/testing/test_cards.h"

#include <array>
#include <functional>

#include "console/camera.h"
#include "packer/svector.h"
#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdformat/texture_page.h"

namespace psxview::test_support {
namespace {

constexpr int kTexels = 16;  // every card's image: 16 x 16 texels in 4 x 4 blocks
constexpr int kBlock = 4;
constexpr int kCard = 24;  // model units a side
constexpr int kCell = 30;
constexpr int kCorner = 75;  // the sheet spans -75..75 in x and y
constexpr std::int16_t kBehind = 20;

// A 15-bit colour of 5-bit channels and the 8-bit colour it shows as.
std::uint16_t Colour15(int r, int g, int b, bool semi_transparent = false) {
  return static_cast<std::uint16_t>(r | g << 5 | b << 10 | (semi_transparent ? 0x8000 : 0));
}
Colour Shown(int r, int g, int b) {
  const auto widen = [](int v) { return (v * 255 + 15) / 31; };
  return {widen(r), widen(g), widen(b)};
}
Colour Shown(std::uint16_t colour) {
  return Shown(colour & 31, colour >> 5 & 31, colour >> 10 & 31);
}

// Block b's colour on card `seed`: distinct, never 0 (transparent).
std::uint16_t BlockColour(int seed, int b) {
  return Colour15((b * 7 + seed * 5 + 3) % 28 + 3, (b * 13 + seed * 11 + 5) % 28 + 3,
                  (b * 19 + seed * 3 + 11) % 28 + 3);
}

int BlockOf(int u, int v) {
  return v / kBlock * (kTexels / kBlock) + u / kBlock;
}

void PutU16(std::vector<std::uint8_t>& bytes, int value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}
void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  PutU16(bytes, static_cast<int>(value & 0xFFFF));
  PutU16(bytes, static_cast<int>(value >> 16));
}

// A TIM of a 16 x 16-texel image at (x, y) of `depth` bits: texel (u, v)
// is `texel(u, v)`, a palette index (palette at (px, py)) or a colour.
NamedFile Tim(const std::string& name, int depth, int x, int y,
              const std::vector<std::uint16_t>& palette, int px, int py,
              const std::function<int(int u, int v)>& texel) {
  std::vector<std::uint8_t> bytes;
  PutU32(bytes, 0x10);
  PutU32(bytes, (depth == 4 ? 0 : depth == 8 ? 1 : 2) | (palette.empty() ? 0 : 8));
  if (!palette.empty()) {
    PutU32(bytes, static_cast<std::uint32_t>(12 + 2 * palette.size()));
    for (int value : {px, py, static_cast<int>(palette.size()), 1}) {
      PutU16(bytes, value);
    }
    for (std::uint16_t colour : palette) {
      PutU16(bytes, colour);
    }
  }
  const int per_column = 16 / depth, columns = kTexels / per_column;
  PutU32(bytes, static_cast<std::uint32_t>(12 + 2 * columns * kTexels));
  for (int value : {x, y, columns, kTexels}) {
    PutU16(bytes, value);
  }
  for (int v = 0; v < kTexels; ++v) {
    for (int column = 0; column < columns; ++column) {
      int word = 0;
      for (int i = 0; i < per_column; ++i) {
        word |= texel(column * per_column + i, v) << (depth * i);
      }
      PutU16(bytes, word);
    }
  }
  return {name, bytes};
}

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int X(double share) const { return left + static_cast<int>((right - left) * share); }
  int Y(double share) const { return top + static_cast<int>((bottom - top) * share); }
};

class SheetBuilder {
 public:
  SheetBuilder() {
    for (int sx : {-kCorner, kCorner}) {
      for (int sy : {-kCorner, kCorner}) {
        Vertex(sx, sy, 0);
      }
    }
    Vertex(0, 0, kBehind);
  }

  // The four corners of slot (column, row) at depth z, grown by `grow`, in
  // the stored "Z" order: top left, top right, bottom left, bottom right.
  std::array<std::uint16_t, 4> Corners(int column, int row, std::int16_t z, int grow = 0) {
    const int x0 = -kCorner + 3 + kCell * column - grow, y0 = -kCorner + 3 + kCell * row - grow;
    const int x1 = x0 + kCard + 2 * grow, y1 = y0 + kCard + 2 * grow;
    return {Vertex(x0, y0, z), Vertex(x1, y0, z), Vertex(x0, y1, z), Vertex(x1, y1, z)};
  }

  // A textured card showing a 16 x 16 image at (image_x, image_y).
  std::array<std::uint16_t, 4> TexturedCard(int column, int row, int depth, int image_x,
                                            int image_y, std::uint16_t cba, std::uint16_t tsb,
                                            bool semi_transparent = false) {
    rsd2tmd::TmdPolygon card;
    card.corners = 4;
    card.lit = false;
    card.textured = true;
    card.semi_transparent = semi_transparent;
    card.colours[0] = {128, 128, 128};
    card.cba = cba;
    card.tsb = tsb;
    card.vertices = Corners(column, row, 0);
    const int u = rsdformat::PageOffsetU(image_x, depth), v = rsdformat::PageOffsetV(image_y);
    for (int k = 0; k < 4; ++k) {
      card.uv[static_cast<std::size_t>(k)] = {static_cast<std::uint8_t>(u + (k % 2) * kTexels),
                                              static_cast<std::uint8_t>(v + (k / 2) * kTexels)};
    }
    model_.polygons.push_back(card);
    return card.vertices;
  }

  void PlainCard(const std::array<std::uint16_t, 4>& corners, rsdformat::Rgb colour,
                 bool semi_transparent = false, bool double_sided = false) {
    rsd2tmd::TmdPolygon card;
    card.corners = 4;
    card.lit = false;
    card.semi_transparent = semi_transparent;
    card.double_sided = double_sided;
    card.colours[0] = colour;
    card.vertices = corners;
    model_.polygons.push_back(card);
  }

  NamedFile Tmd() {
    model_.normals.push_back({0, 0, -4096, 0});
    return {"cards.tmd", rsd2tmd::EncodeTmdFile(model_)};
  }

  // The screen rectangle of a card, through the console's camera.
  ScreenRect Rect(const std::array<std::uint16_t, 4>& corners) const {
    const auto a = Screen(model_.vertices[corners[0]]);
    const auto b = Screen(model_.vertices[corners[3]]);
    return {std::min(a[0], b[0]), std::min(a[1], b[1]), std::max(a[0], b[0]), std::max(a[1], b[1])};
  }

 private:
  std::uint16_t Vertex(int x, int y, int z) {
    model_.vertices.push_back({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                               static_cast<std::int16_t>(z), 0});
    return static_cast<std::uint16_t>(model_.vertices.size() - 1);
  }

  std::array<int, 2> Screen(const morphon::SVector& p) const {
    camera::Box box{{-kCorner, -kCorner, 0}, {kCorner, kCorner, kBehind}};
    const camera::Transform t =
        camera::CameraTransform(camera::View::kFront, camera::SphereOf(box), 0);
    const std::int64_t v[3] = {p.vx, p.vy, p.vz};
    std::int64_t at[3];
    for (int row = 0; row < 3; ++row) {
      std::int64_t sum = std::int64_t{t.t[row]} * camera::kOne;
      for (int column = 0; column < 3; ++column) {
        sum += t.m[row][column] * v[column];
      }
      at[row] = sum >> 12;
    }
    const std::int64_t ratio = (std::int64_t{camera::kProjection} * 0x20000 / at[2] + 1) / 2;
    return {static_cast<int>((ratio * at[0] + (std::int64_t{160} << 16)) >> 16),
            static_cast<int>((ratio * at[1] + (std::int64_t{120} << 16)) >> 16)};
  }

  rsd2tmd::TmdModel model_;
};

// The points at the centres of a textured card's 16 blocks.
std::vector<SamplePoint> BlockPoints(const std::string& card, const ScreenRect& rect,
                                     const std::function<std::uint16_t(int block)>& colour) {
  std::vector<SamplePoint> points;
  for (int b = 0; b < 16; ++b) {
    const double u = (b % 4 * kBlock + kBlock / 2.0) / kTexels;
    const double v = (b / 4 * kBlock + kBlock / 2.0) / kTexels;
    points.push_back({card, rect.X(u), rect.Y(v), Shown(colour(b))});
  }
  return points;
}

// Five points well inside an untextured card.
std::vector<SamplePoint> InnerPoints(const std::string& card, const ScreenRect& rect,
                                     Colour expected) {
  std::vector<SamplePoint> points;
  for (const auto& [u, v] : {std::pair{0.5, 0.5}, std::pair{0.25, 0.25}, std::pair{0.75, 0.25},
                             std::pair{0.25, 0.75}, std::pair{0.75, 0.75}}) {
    points.push_back({card, rect.X(u), rect.Y(v), expected});
  }
  return points;
}

void Append(std::vector<SamplePoint>& to, const std::vector<SamplePoint>& points) {
  to.insert(to.end(), points.begin(), points.end());
}

}  // namespace

CardSheet MakeCardSheet() {
  CardSheet sheet;
  SheetBuilder builder;
  using rsdformat::PageWord;
  using rsdformat::PaletteWord;

  // Paletted and direct images: name, depth, image place, palette place.
  struct Image {
    const char* name;
    int depth, x, y, px, py;
  };
  const Image images[] = {
      {"four-a.tim", 4, 320, 0, 0, 480},      {"four-b.tim", 4, 452, 256, 16, 497},
      {"four-c.tim", 4, 384, 128, 512, 505},  {"eight-a.tim", 8, 512, 0, 0, 500},
      {"eight-b.tim", 8, 708, 300, 256, 510}, {"direct-a.tim", 16, 832, 64, 0, 0},
      {"direct-b.tim", 16, 972, 400, 0, 0},
  };
  int slot = 0;
  for (const Image& image : images) {
    const int seed = slot;
    std::vector<std::uint16_t> palette;
    std::function<int(int, int)> texel;
    std::function<std::uint16_t(int)> shown;
    if (image.depth == 4) {
      for (int b = 0; b < 16; ++b) {
        palette.push_back(BlockColour(seed, b));
      }
      texel = [](int u, int v) { return BlockOf(u, v); };
      shown = [palette](int b) { return palette[static_cast<std::size_t>(b)]; };
    } else if (image.depth == 8) {
      palette.assign(256, Colour15(16, 16, 16));
      for (int b = 0; b < 16; ++b) {
        palette[static_cast<std::size_t>(16 * b + 5)] = BlockColour(seed, b);
      }
      texel = [](int u, int v) { return 16 * BlockOf(u, v) + 5; };
      shown = [palette](int b) { return palette[static_cast<std::size_t>(16 * b + 5)]; };
    } else {
      texel = [seed](int u, int v) { return BlockColour(seed, BlockOf(u, v)); };
      shown = [seed](int b) { return BlockColour(seed, b); };
    }
    sheet.tims.push_back(
        Tim(image.name, image.depth, image.x, image.y, palette, image.px, image.py, texel));
    const std::uint16_t cba = image.depth == 16 ? 0 : PaletteWord(image.px, image.py);
    const auto corners = builder.TexturedCard(slot % 5, slot / 5, image.depth, image.x, image.y,
                                              cba, PageWord(image.x, image.y, 0, image.depth));
    Append(sheet.points, BlockPoints(image.name, builder.Rect(corners), shown));
    // The negative controls: the first 4-bit card's palette a row down, the
    // first direct card's page a column to the right.
    if (slot == 0 || slot == 5) {
      const int wrong = slot == 0 ? 15 : 16;
      const auto wrong_corners = builder.TexturedCard(
          wrong % 5, wrong / 5, image.depth, image.x, image.y,
          slot == 0 ? PaletteWord(image.px, image.py + 1) : cba,
          PageWord(image.x + (slot == 0 ? 0 : rsdformat::kPageColumns), image.y, 0, image.depth));
      sheet.wrong_cards.push_back(BlockPoints(std::string(image.name) + " (wrong word)",
                                              builder.Rect(wrong_corners), shown));
    }
    ++slot;
  }

  // Blending: a semi-transparent texture at each rate over an opaque card.
  const int back[3] = {25, 15, 5}, front[3] = {10, 20, 30};
  const std::uint16_t front_colour = Colour15(front[0], front[1], front[2], true);
  sheet.tims.push_back(
      Tim("blend.tim", 16, 896, 0, {}, 0, 0, [&](int, int) { return front_colour; }));
  const rsdformat::Rgb back_rgb{static_cast<std::uint8_t>(back[0] << 3),
                                static_cast<std::uint8_t>(back[1] << 3),
                                static_cast<std::uint8_t>(back[2] << 3)};
  for (int rate = 0; rate < 4; ++rate, ++slot) {
    builder.PlainCard(builder.Corners(slot % 5, slot / 5, kBehind, 2), back_rgb);
    const auto corners =
        builder.TexturedCard(slot % 5, slot / 5, 16, 896, 0, 0, PageWord(896, 0, rate, 16), true);
    int blended[3];
    for (int c = 0; c < 3; ++c) {
      const int b = back[c], f = front[c];
      const int value = rate == 0 ? (b + f) / 2 : rate == 1 ? b + f : rate == 2 ? b - f : b + f / 4;
      blended[c] = std::clamp(value, 0, 31);
    }
    Append(sheet.points, InnerPoints("blend rate " + std::to_string(rate), builder.Rect(corners),
                                     Shown(blended[0], blended[1], blended[2])));
  }
  // An untextured semi-transparent card blends at rate 0.
  builder.PlainCard(builder.Corners(slot % 5, slot / 5, kBehind, 2), back_rgb);
  const auto plain = builder.Corners(slot % 5, slot / 5, 0);
  builder.PlainCard(plain, {40, 200, 120}, true);
  Append(sheet.points, InnerPoints("untextured blend", builder.Rect(plain),
                                   Shown((25 + 5) / 2, (15 + 25) / 2, (5 + 15) / 2)));
  ++slot;

  // A card turned away: culled, unless double-sided.
  for (const bool double_sided : {false, true}) {
    const auto c = builder.Corners(slot % 5, slot / 5, 0);
    const std::array<std::uint16_t, 4> turned = {c[1], c[0], c[3], c[2]};
    builder.PlainCard(turned,
                      double_sided ? rsdformat::Rgb{0, 248, 248} : rsdformat::Rgb{248, 0, 248},
                      false, double_sided);
    Append(sheet.points,
           InnerPoints(double_sided ? "double-sided card" : "culled card", builder.Rect(c),
                       double_sided ? Shown(0, 31, 31) : kBackground));
    ++slot;
  }
  sheet.tmd = builder.Tmd();
  return sheet;
}

std::vector<std::string> Mismatches(const Picture& picture,
                                    const std::vector<SamplePoint>& points) {
  std::vector<std::string> mismatches;
  for (const SamplePoint& point : points) {
    const Colour got = picture.At(point.x, point.y);
    if (!Near(got, point.expected, kColourTolerance)) {
      mismatches.push_back(
          point.card + " at (" + std::to_string(point.x) + ", " + std::to_string(point.y) +
          "): " + std::to_string(got.red) + " " + std::to_string(got.green) + " " +
          std::to_string(got.blue) + ", expected " + std::to_string(point.expected.red) + " " +
          std::to_string(point.expected.green) + " " + std::to_string(point.expected.blue));
    }
  }
  return mismatches;
}

}  // namespace psxview::test_support
