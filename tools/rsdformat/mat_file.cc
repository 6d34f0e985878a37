#include "tools/rsdformat/mat_file.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/text_lines.h"

namespace rsdformat {
namespace {

constexpr std::string_view kMagic = "@MAT940801";

// Fields after POLYGONS FLAG SHADING TYPE.
constexpr std::size_t kLead = 4;

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One polygon number of the POLYGONS field; refuses a number too large for
// any model with what it is and the limit.
std::optional<std::int32_t> PolygonNumber(std::string_view text, const Fields& fields) {
  if (!AllDigits(text)) {
    return std::nullopt;
  }
  const std::optional<std::int64_t> value = ParseInteger(text, 0, INT32_MAX);
  if (!value) {
    throw fields.Error("polygon number " + std::string(text.substr(0, 40)) +
                       (text.size() > 40 ? "..." : "") + " in " + Quoted(fields[0]) +
                       " is beyond the largest, " + std::to_string(INT32_MAX));
  }
  return static_cast<std::int32_t>(*value);
}

std::vector<PolygonRange> ReadPolygons(const Fields& fields) {
  std::vector<PolygonRange> ranges;
  std::string_view rest = fields[0];
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    const std::size_t dash = item.find('-');
    const std::optional<std::int32_t> first = PolygonNumber(item.substr(0, dash), fields);
    const std::optional<std::int32_t> last =
        dash == std::string_view::npos ? first : PolygonNumber(item.substr(dash + 1), fields);
    if (!first || !last) {
      throw fields.Error("polygons are not a number, a range a-b or a list a,b,c: " +
                         Quoted(fields[0]));
    }
    if (*last < *first) {
      throw fields.Error("polygon range " + std::string(item) + " runs backwards");
    }
    ranges.push_back({*first, *last});
    if (comma == std::string_view::npos) {
      return ranges;
    }
    rest = rest.substr(comma + 1);
  }
}

std::uint8_t ReadFlag(const Fields& fields) {
  const std::string_view text = fields[1];
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || text.front() == '-' || error != std::errc() ||
      end != text.data() + text.size() || value > 0xFF) {
    throw fields.Error("flag is not a hexadecimal byte: " + Quoted(text));
  }
  return static_cast<std::uint8_t>(value);
}

Shading ReadShading(const Fields& fields) {
  if (fields[2] == "F") {
    return Shading::kFlat;
  }
  if (fields[2] == "G") {
    return Shading::kSmooth;
  }
  throw fields.Error("shading is not F or G: " + Quoted(fields[2]));
}

MatType ReadType(const Fields& fields) {
  const std::string_view text = fields[3];
  if (text.size() == 1) {
    switch (text[0]) {
      case 'C':
      case 'G':
      case 'T':
      case 'D':
      case 'H':
        return static_cast<MatType>(text[0]);
      default:
        break;
    }
  }
  throw fields.Error("material type is not C, G, T, D or H: " + Quoted(text));
}

Rgb ReadColor(const Fields& fields, std::size_t at) {
  return {static_cast<std::uint8_t>(fields.Integer(at, "red", 0, 255)),
          static_cast<std::uint8_t>(fields.Integer(at + 1, "green", 0, 255)),
          static_cast<std::uint8_t>(fields.Integer(at + 2, "blue", 0, 255))};
}

// TNO U0 V0 .. U3 V3 at `at`; returns the index after them.
std::size_t ReadTexture(const Fields& fields, std::size_t at, MatLine& line) {
  line.texture = static_cast<std::int32_t>(fields.Integer(at, "texture number", 0, INT32_MAX));
  static const char* const kNames[] = {"U0", "V0", "U1", "V1", "U2", "V2", "U3", "V3"};
  for (std::size_t k = 0; k < 4; ++k) {
    line.texels[k] = {static_cast<std::int32_t>(
                          fields.Integer(at + 1 + 2 * k, kNames[2 * k], INT32_MIN, INT32_MAX)),
                      static_cast<std::int32_t>(
                          fields.Integer(at + 2 + 2 * k, kNames[2 * k + 1], INT32_MIN, INT32_MAX))};
  }
  return at + 9;
}

void ReadFourColors(const Fields& fields, std::size_t at, MatLine& line) {
  for (std::size_t k = 0; k < 4; ++k) {
    line.colors[k] = ReadColor(fields, at + 3 * k);
  }
}

void ReadParameters(const Fields& fields, MatLine& line) {
  switch (line.type) {
    case MatType::kColor:
      fields.ExpectCount(kLead + 3, "polygons flag shading C R G B");
      line.colors[0] = ReadColor(fields, kLead);
      return;
    case MatType::kGradation:
      fields.ExpectCount(kLead + 12, "polygons flag shading G and four R G B");
      ReadFourColors(fields, kLead, line);
      return;
    case MatType::kTexture:
      if (fields.size() != kLead + 12) {
        fields.ExpectCount(kLead + 9, "polygons flag shading T TNO U0 V0 U1 V1 U2 V2 U3 V3");
      }
      if (ReadTexture(fields, kLead, line) < fields.size()) {
        line.colors[0] = ReadColor(fields, kLead + 9);
        line.unused_color = true;
      }
      return;
    case MatType::kTextureColor:
      fields.ExpectCount(kLead + 12, "polygons flag shading D TNO U0 V0 .. U3 V3 R G B");
      line.colors[0] = ReadColor(fields, ReadTexture(fields, kLead, line));
      return;
    case MatType::kTextureGradation:
      fields.ExpectCount(kLead + 21, "polygons flag shading H TNO U0 V0 .. U3 V3 and four R G B");
      ReadFourColors(fields, ReadTexture(fields, kLead, line), line);
      return;
  }
}

MatLine ReadLine(const TextLine& text, const std::string& file) {
  const Fields fields(text, file);
  if (fields.size() < kLead) {
    throw fields.Error("expected polygons, flag, shading and type: " + Quoted(text.text));
  }
  MatLine line;
  line.line = text.number;
  line.polygons = ReadPolygons(fields);
  line.flag = ReadFlag(fields);
  line.shading = ReadShading(fields);
  line.type = ReadType(fields);
  ReadParameters(fields, line);
  return line;
}

}  // namespace

MatFile ParseMat(std::string_view text, const std::string& file) {
  TextCursor cursor(text, file);
  const TextLine magic = cursor.Expect("the line " + std::string(kMagic));
  if (Trimmed(magic.text) != kMagic) {
    throw LineError(file, magic.number,
                    "expected " + std::string(kMagic) + ", found " + Quoted(magic.text));
  }
  const Fields count_fields(cursor.Expect("the number of material lines"), file);
  count_fields.ExpectCount(1, "the number of material lines");
  const std::int64_t count = count_fields.Integer(0, "material count", 0, INT32_MAX);
  MatFile mat;
  mat.file = file;
  for (std::int64_t i = 0; i < count; ++i) {
    mat.lines.push_back(ReadLine(cursor.Expect("a material line"), file));
  }
  cursor.ExpectEnd("the last of " + std::to_string(count) + " material lines");
  return mat;
}

MatFile ReadMat(const std::filesystem::path& path) {
  return ParseMat(ReadWholeFile(path, kTextFileLimit), path.string());
}

std::vector<std::int32_t> MaterialOfEachPolygon(const MatFile& mat, std::int32_t polygon_count) {
  std::vector<std::int32_t> material(static_cast<std::size_t>(std::max(polygon_count, 0)), -1);
  for (std::size_t i = 0; i < mat.lines.size(); ++i) {
    const MatLine& line = mat.lines[i];
    for (const PolygonRange& range : line.polygons) {
      if (range.last >= polygon_count) {
        throw LineError(mat.file, line.line,
                        "polygon " + std::to_string(range.last) + " is beyond the model's " +
                            std::to_string(polygon_count) + " polygons");
      }
      for (std::int32_t p = range.first; p <= range.last; ++p) {
        std::int32_t& slot = material[static_cast<std::size_t>(p)];
        if (slot >= 0) {
          throw LineError(mat.file, line.line,
                          "polygon " + std::to_string(p) + " already has a material (line " +
                              std::to_string(mat.lines[static_cast<std::size_t>(slot)].line) + ")");
        }
        slot = static_cast<std::int32_t>(i);
      }
    }
  }
  for (std::size_t p = 0; p < material.size(); ++p) {
    if (material[p] < 0) {
      throw ReadError(mat.file, "", "polygon " + std::to_string(p) + " has no material line");
    }
  }
  return material;
}

void CheckTextureNumbers(const MatFile& mat, std::int32_t texture_count) {
  for (const MatLine& line : mat.lines) {
    if (line.textured() && line.texture >= texture_count) {
      throw LineError(mat.file, line.line,
                      "texture number " + std::to_string(line.texture) +
                          " has no TIM (NTEX=" + std::to_string(texture_count) + ")");
    }
  }
}

}  // namespace rsdformat
