#include "tools/rsd2tmd/tmd_file.h"

#include <cstdio>
#include <utility>

#include "formats/tmd_layout.h"
#include "packer/tmd_writer.h"

namespace rsd2tmd {
namespace {

using tmdlayout::kTmdId;
constexpr std::uint32_t kFixp = 0x01;
constexpr std::uint64_t kTableStart = tmdlayout::kHeaderSize;
constexpr std::uint64_t kEntrySize = tmdlayout::kObjectSize;
constexpr std::uint64_t kPrimitiveHeader = tmdlayout::kPrimitiveHeaderSize;
constexpr int kVramColumns = 1024;

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*x", digits, value);
  return text;
}

std::string Kind(const TmdPolygon& p) {
  std::string kind = p.lit ? "lit " : "unlit ";
  if (p.lit) {
    kind += p.smooth ? "gouraud " : "flat ";
  }
  kind += p.textured ? "textured " : "";
  kind += p.corners == 4 ? "quad" : "triangle";
  kind += p.vertex_colours ? ", per-vertex colour" : "";
  kind += p.semi_transparent ? ", semi-transparent" : "";
  kind += p.double_sided ? ", double-sided" : "";
  return kind;
}

// Appends " " and `value`; kept apart from operator+ chains, on which some
// compilers warn wrongly.
void AppendNumber(std::string& line, const char* separator, int value) {
  line += separator;
  line += std::to_string(value);
}

std::string Indices(const char* name, const std::uint16_t* indices, int count) {
  std::string line = "  ";
  line += name;
  for (int i = 0; i < count; ++i) {
    AppendNumber(line, " ", indices[i]);
  }
  return line + "\n";
}

std::string Colours(const TmdPolygon& p, int count) {
  std::string line = count == 1 ? "  colour" : "  colours";
  for (int i = 0; i < count; ++i) {
    AppendNumber(line, " ", p.colours[i].red);
    AppendNumber(line, ",", p.colours[i].green);
    AppendNumber(line, ",", p.colours[i].blue);
  }
  return line + "\n";
}

std::string TextureWords(const TmdPolygon& p, int corners) {
  static constexpr const char* kDepths[] = {"4-bit", "8-bit", "16-bit", "reserved depth"};
  char words[128];
  std::snprintf(words, sizeof words,
                "  cba 0x%04x (palette %d,%d) tsb 0x%04x (page %d,%d, %s, rate %d)\n  uv", p.cba,
                (p.cba & 0x3F) * 16, (p.cba >> 6) & 0x1FF, p.tsb, (p.tsb & 0xF) * 64,
                ((p.tsb >> 4) & 1) * 256, kDepths[(p.tsb >> 7) & 3], (p.tsb >> 5) & 3);
  std::string line = words;
  for (int i = 0; i < corners; ++i) {
    AppendNumber(line, " ", p.uv[i].u);
    AppendNumber(line, ",", p.uv[i].v);
  }
  return line + "\n";
}

// Reads one object's blocks after their bounds have been checked.
class ObjectReader {
 public:
  ObjectReader(std::span<const std::uint8_t> file, TmdDescription& out) : file_(file), out_(out) {}

  bool Read(std::uint32_t index, const std::uint8_t* entry) {
    const std::uint32_t vert_top = morphon::LoadU32(entry + tmdlayout::kVertTopAt);
    n_vert_ = morphon::LoadU32(entry + tmdlayout::kNVertAt);
    const std::uint32_t normal_top = morphon::LoadU32(entry + tmdlayout::kNormalTopAt);
    n_normal_ = morphon::LoadU32(entry + tmdlayout::kNNormalAt);
    const std::uint32_t primitive_top = morphon::LoadU32(entry + tmdlayout::kPrimitiveTopAt);
    const std::uint32_t n_primitive = morphon::LoadU32(entry + tmdlayout::kNPrimitiveAt);
    const auto scale = static_cast<std::int32_t>(morphon::LoadU32(entry + tmdlayout::kScaleAt));
    object_ = "object " + std::to_string(index);
    out_.text += object_ + ": " + std::to_string(n_primitive) + " primitives at " +
                 std::to_string(kTableStart + primitive_top) + ", " + std::to_string(n_vert_) +
                 " vertices at " + std::to_string(kTableStart + vert_top) + ", " +
                 std::to_string(n_normal_) + " normals at " +
                 std::to_string(kTableStart + normal_top) + ", scale " + std::to_string(scale) +
                 "\n";
    if (!FitsBlock("vertex", vert_top, n_vert_) || !FitsBlock("normal", normal_top, n_normal_) ||
        !ReadPrimitives(kTableStart + primitive_top, n_primitive)) {
      return false;
    }
    model_.vertices = ListVectors("vertex", vert_top, n_vert_);
    model_.normals = ListVectors("normal", normal_top, n_normal_);
    out_.objects.push_back(std::move(model_));
    return true;
  }

 private:
  bool Fault(const std::string& what) {
    out_.fault = object_ + ": " + what;
    return false;
  }

  bool FitsBlock(const char* name, std::uint32_t top, std::uint32_t count) {
    if (kTableStart + top + std::uint64_t{count} * morphon::kSvectorSize > file_.size()) {
      return Fault(std::string(name) + " block of " + std::to_string(count) + " entries at " +
                   std::to_string(kTableStart + top) + " runs past the end of the file (" +
                   std::to_string(file_.size()) + " bytes)");
    }
    return true;
  }

  bool ReadPrimitives(std::uint64_t at, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::string name = "primitive " + std::to_string(i) + " at " + std::to_string(at);
      if (at + kPrimitiveHeader > file_.size()) {
        return Fault(name + " runs past the end of the file");
      }
      const std::uint8_t* header = file_.data() + at;
      const std::uint8_t olen = header[0], ilen = header[1], flag = header[2], mode = header[3];
      out_.text += name + ": mode " + Hex(mode, 2) + " flag " + Hex(flag, 2) + " ilen " +
                   std::to_string(ilen) + " olen " + std::to_string(olen);
      const std::uint64_t end = at + kPrimitiveHeader + 4 * std::uint64_t{ilen};
      if (end > file_.size()) {
        out_.text += "\n";
        return Fault(name + ": its " + std::to_string(ilen) +
                     " words run past the end of the file");
      }
      if (!ReadPolygon(name, mode, flag, ilen, olen, header + kPrimitiveHeader)) {
        return false;
      }
      at = end;
    }
    return true;
  }

  bool ReadPolygon(const std::string& name, std::uint8_t mode, std::uint8_t flag, std::uint8_t ilen,
                   std::uint8_t olen, const std::uint8_t* packet) {
    const std::optional<PacketLayout> layout = LayoutOf(mode, flag);
    if (!layout) {
      out_.text += ", not a polygon kind, skipped\n";
      return true;
    }
    // Only ilen words lie inside the file: the packet is decoded once its
    // length is known to be its kind's.
    if (ilen != layout->ilen || olen != layout->olen) {
      out_.text += "\n";
      return Fault(name + ": ilen " + std::to_string(ilen) + " olen " + std::to_string(olen) +
                   ", this kind has ilen " + std::to_string(layout->ilen) + " olen " +
                   std::to_string(layout->olen));
    }
    const TmdPolygon p = DecodePolygon(mode, flag, *layout, packet);
    out_.text += ", " + Kind(p) + "\n";
    if (p.textured) {
      out_.text += TextureWords(p, p.corners);
    }
    if (layout->colours > 0) {
      out_.text += Colours(p, layout->colours);
    }
    if (layout->normals > 0) {
      out_.text += Indices("normals", p.normals.data(), layout->normals);
    }
    out_.text += Indices("vertices", p.vertices.data(), p.corners);
    if (p.textured && ((p.tsb >> 7) & 3) == 3) {
      return Fault(name + ": texture page word " + Hex(p.tsb, 4) + " names the reserved depth 3");
    }
    if (p.textured && !InsideVideoMemory(name, p)) {
      return false;
    }
    model_.polygons.push_back(p);
    return CheckIndices(name, "normal", p.normals.data(), layout->normals, n_normal_) &&
           CheckIndices(name, "vertex", p.vertices.data(), p.corners, n_vert_);
  }

  // A palette or texel past column 1023 is no place in video memory; rows
  // cannot run past 511 (a page starts at row 0 or 256, V is a byte).
  bool InsideVideoMemory(const std::string& name, const TmdPolygon& p) {
    const int depth_code = (p.tsb >> 7) & 3;
    const int palette_x = (p.cba & 0x3F) * 16;
    const int colours = depth_code == 0 ? 16 : 256;
    if (depth_code < 2 && palette_x + colours > kVramColumns) {
      return Fault(name + ": palette at " + std::to_string(palette_x) + "," +
                   std::to_string((p.cba >> 6) & 0x1FF) + " of " + std::to_string(colours) +
                   " colours runs past video memory (columns " + std::to_string(palette_x) + "-" +
                   std::to_string(palette_x + colours - 1) + "; it has columns 0-" +
                   std::to_string(kVramColumns - 1) + ")");
    }
    const int texels_per_column = 4 >> depth_code;
    for (int i = 0; i < p.corners; ++i) {
      const int column = (p.tsb & 0xF) * 64 + p.uv[i].u / texels_per_column;
      if (column >= kVramColumns) {
        return Fault(
            name + ": corner " + std::to_string(i) + " texel " + std::to_string(p.uv[i].u) + "," +
            std::to_string(p.uv[i].v) + " lies in column " + std::to_string(column) +
            " of video memory, beyond its last column " + std::to_string(kVramColumns - 1));
      }
    }
    return true;
  }

  bool CheckIndices(const std::string& name, const char* what, const std::uint16_t* indices,
                    int count, std::uint32_t limit) {
    for (int i = 0; i < count; ++i) {
      if (indices[i] >= limit) {
        return Fault(name + ": " + what + " index " + std::to_string(indices[i]) +
                     " beyond the object's " + std::to_string(limit) + " " + what + " entries");
      }
    }
    return true;
  }

  std::vector<morphon::SVector> ListVectors(const char* name, std::uint32_t top,
                                            std::uint32_t count) {
    std::vector<morphon::SVector> vectors;
    const std::uint8_t* at = file_.data() + kTableStart + top;
    for (std::uint32_t i = 0; i < count; ++i, at += morphon::kSvectorSize) {
      const morphon::SVector v = morphon::LoadSVector(at);
      vectors.push_back(v);
      out_.text += std::string(name) + " " + std::to_string(i) + ": " + std::to_string(v.vx) + " " +
                   std::to_string(v.vy) + " " + std::to_string(v.vz) + "\n";
    }
    return vectors;
  }

  std::span<const std::uint8_t> file_;
  TmdDescription& out_;
  std::string object_;
  TmdModel model_;
  std::uint32_t n_vert_ = 0;
  std::uint32_t n_normal_ = 0;
};

}  // namespace

std::vector<std::uint8_t> EncodeTmdFile(const TmdModel& model) {
  morphon::SyntheticTmd tmd;
  for (const TmdPolygon& polygon : model.polygons) {
    const std::vector<std::uint8_t> bytes = EncodePolygon(polygon);
    tmd.primitives.insert(tmd.primitives.end(), bytes.begin(), bytes.end());
  }
  tmd.n_primitive = static_cast<std::uint32_t>(model.polygons.size());
  tmd.vertices = model.vertices;
  tmd.normals = model.normals;
  return morphon::EncodeTmd(tmd);
}

TmdDescription DescribeTmdFile(std::span<const std::uint8_t> file) {
  TmdDescription out;
  if (file.size() < kTableStart) {
    out.fault = "shorter than the 12-byte TMD header (" + std::to_string(file.size()) + " bytes)";
    return out;
  }
  const std::uint32_t id = morphon::LoadU32(file.data());
  const std::uint32_t flags = morphon::LoadU32(file.data() + tmdlayout::kFlagsAt);
  const std::uint32_t nobj = morphon::LoadU32(file.data() + tmdlayout::kObjectCountAt);
  out.text = "TMD id " + Hex(id, 8) + ", flags " + Hex(flags, 8) + ", " + std::to_string(nobj) +
             (nobj == 1 ? " object\n" : " objects\n");
  if (id != kTmdId) {
    out.fault = "not a TMD file: its id is " + Hex(id, 8) + ", not 0x00000041";
  } else if ((flags & kFixp) != 0) {
    out.fault = "flags " + Hex(flags, 8) + ": FIXP set, the offsets are memory addresses";
  } else if (flags != 0) {
    out.fault = "flags " + Hex(flags, 8) + ": reserved bits set";
  } else if (kTableStart + kEntrySize * nobj > file.size()) {
    out.fault = "the object table of " + std::to_string(nobj) +
                " entries runs past the end of the file (" + std::to_string(file.size()) +
                " bytes)";
  }
  for (std::uint32_t i = 0; i < nobj && out.fault.empty(); ++i) {
    ObjectReader(file, out).Read(i, file.data() + kTableStart + kEntrySize * i);
  }
  return out;
}

}  // namespace rsd2tmd
