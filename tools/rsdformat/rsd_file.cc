#include "tools/rsdformat/rsd_file.h"

#include <optional>

#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/text_lines.h"

namespace rsdformat {
namespace {

constexpr std::string_view kMagic = "@RSD940102";
// More texture slots than video memory could ever hold keeps a typing error
// in NTEX from asking for gigabytes.
constexpr std::int64_t kMostTextures = 4096;

struct Entry {
  std::string_view key;
  std::string_view value;
};

Entry SplitEntry(const TextLine& line, const std::string& file) {
  const std::string_view text = Trimmed(line.text);
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    throw LineError(file, line.number, "expected KEY=VALUE: " + Quoted(text));
  }
  return {Trimmed(text.substr(0, equals)), Trimmed(text.substr(equals + 1))};
}

void SetOnce(std::string& target, bool& seen, const Entry& entry, const TextLine& line,
             const std::string& file) {
  if (seen) {
    throw LineError(file, line.number, "second " + std::string(entry.key) + " line");
  }
  if (entry.value.empty()) {
    throw LineError(file, line.number, std::string(entry.key) + " names no file");
  }
  seen = true;
  target = std::string(entry.value);
}

// The i of "TEX[i]", or nullopt when the key is not of that shape.
std::optional<std::int64_t> TextureSlot(std::string_view key) {
  if (key.size() < 6 || key.substr(0, 4) != "TEX[" || key.back() != ']') {
    return std::nullopt;
  }
  return ParseInteger(key.substr(4, key.size() - 5), 0, kMostTextures - 1);
}

struct TexLine {
  std::string name;
  int line = 0;
};

}  // namespace

RsdFile ParseRsd(std::string_view text, const std::string& file) {
  TextCursor cursor(text, file);
  const TextLine magic = cursor.Expect("the line " + std::string(kMagic));
  if (Trimmed(magic.text) != kMagic) {
    throw LineError(file, magic.number,
                    "expected " + std::string(kMagic) + ", found " + Quoted(magic.text));
  }
  RsdFile rsd;
  rsd.file = file;
  bool seen_ply = false, seen_mat = false, seen_grp = false, seen_count = false;
  std::int64_t count = 0;
  int count_line = 0;
  std::vector<TexLine> slots;
  while (std::optional<TextLine> line = cursor.Next()) {
    const Entry entry = SplitEntry(*line, file);
    if (entry.key == "PLY") {
      SetOnce(rsd.ply, seen_ply, entry, *line, file);
    } else if (entry.key == "MAT") {
      SetOnce(rsd.mat, seen_mat, entry, *line, file);
    } else if (entry.key == "GRP") {
      SetOnce(rsd.grp, seen_grp, entry, *line, file);
    } else if (entry.key == "NTEX") {
      if (seen_count) {
        throw LineError(file, line->number, "second NTEX line");
      }
      const std::optional<std::int64_t> value = ParseInteger(entry.value, 0, kMostTextures);
      if (!value) {
        throw LineError(file, line->number,
                        "NTEX is not a texture count 0.." + std::to_string(kMostTextures) + ": " +
                            Quoted(entry.value));
      }
      seen_count = true;
      count = *value;
      count_line = line->number;
    } else if (const std::optional<std::int64_t> slot = TextureSlot(entry.key)) {
      if (static_cast<std::size_t>(*slot) >= slots.size()) {
        slots.resize(static_cast<std::size_t>(*slot) + 1);
      }
      TexLine& target = slots[static_cast<std::size_t>(*slot)];
      if (target.line != 0) {
        throw LineError(file, line->number,
                        "second " + std::string(entry.key) + " line (first at line " +
                            std::to_string(target.line) + ")");
      }
      if (entry.value.empty()) {
        throw LineError(file, line->number, std::string(entry.key) + " names no file");
      }
      target = {std::string(entry.value), line->number};
    } else {
      throw LineError(file, line->number, "unknown key " + Quoted(entry.key));
    }
  }
  if (!seen_ply || !seen_mat) {
    throw ReadError(file, "", seen_ply ? "no MAT= line" : "no PLY= line");
  }
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].line != 0 && static_cast<std::int64_t>(i) >= count) {
      throw LineError(file, slots[i].line,
                      "TEX[" + std::to_string(i) + "] is beyond NTEX=" + std::to_string(count));
    }
  }
  for (std::int64_t i = 0; i < count; ++i) {
    if (static_cast<std::size_t>(i) >= slots.size() ||
        slots[static_cast<std::size_t>(i)].line == 0) {
      throw LineError(
          file, count_line,
          "NTEX=" + std::to_string(count) + " but no TEX[" + std::to_string(i) + "] line");
    }
    rsd.textures.push_back(slots[static_cast<std::size_t>(i)].name);
  }
  return rsd;
}

RsdFile ReadRsd(const std::filesystem::path& path) {
  return ParseRsd(ReadWholeFile(path, kTextFileLimit), path.string());
}

std::filesystem::path ResolveName(const std::filesystem::path& rsd_path, const std::string& name) {
  const std::filesystem::path named(name);
  return named.is_absolute() ? named : rsd_path.parent_path() / named;
}

}  // namespace rsdformat
