#include "tools/rsdview/command_line.h"

#include "tools/rsdformat/text_lines.h"
#include "tools/rsdformat/texture_page.h"
#include "tools/rsdview/vram_map.h"

namespace rsdview {
namespace {

constexpr int kLargestPanel = 4096;

std::optional<int> Number(const std::string& text, int least, int most) {
  const std::optional<std::int64_t> value = rsdformat::ParseInteger(text, least, most);
  if (!value || text.front() == '+') {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

std::optional<Area> DisplaySize(const std::string& text) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) {
    return std::nullopt;
  }
  const std::optional<int> width = Number(text.substr(0, x), 1, rsdformat::kVramColumns);
  const std::optional<int> height = Number(text.substr(x + 1), 1, rsdformat::kVramRows);
  if (!width || !height) {
    return std::nullopt;
  }
  return Area{0, 0, *width, *height};
}

std::optional<std::vector<View>> ViewList(const std::string& text) {
  std::vector<View> views;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::optional<View> view = ViewNamed(std::string_view(text).substr(start, comma - start));
    if (!view) {
      return std::nullopt;
    }
    views.push_back(*view);
    if (comma == std::string::npos) {
      return views;
    }
    start = comma + 1;
  }
}

}  // namespace

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error) {
  Arguments parsed;
  if (args.empty() || (args[0] != "vram" && args[0] != "model")) {
    error = "rsdview: the first word is vram or model";
    return std::nullopt;
  }
  parsed.command = args[0] == "vram" ? Command::kVram : Command::kModel;
  const bool vram = parsed.command == Command::kVram;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    const std::string value = has_value ? args[i + 1] : "";
    const auto bad_value = [&](const char* what) {
      error = "rsdview: " + arg + " needs " + what + (has_value ? ", not '" + value + "'" : "");
      return std::nullopt;
    };
    if (arg == "-o") {
      if (!has_value || value.empty()) {
        return bad_value("an output file");
      }
      parsed.output = value;
      ++i;
    } else if (vram && arg == "--zoom") {
      const std::optional<int> zoom = has_value ? Number(value, 1, kMostZoom) : std::nullopt;
      if (!zoom) {
        return bad_value("a zoom 1..4");
      }
      parsed.zoom = *zoom;
      ++i;
    } else if (vram && arg == "--display") {
      parsed.display = has_value ? DisplaySize(value) : std::nullopt;
      if (!parsed.display) {
        return bad_value("WIDTHxHEIGHT within 1024x512");
      }
      ++i;
    } else if (!vram && arg == "--size") {
      const std::optional<int> size = has_value ? Number(value, 16, kLargestPanel) : std::nullopt;
      if (!size) {
        return bad_value("a panel size 16..4096");
      }
      parsed.render.size = *size;
      ++i;
    } else if (!vram && arg == "--views") {
      const std::optional<std::vector<View>> views = has_value ? ViewList(value) : std::nullopt;
      if (!views) {
        return bad_value("views from front, side, top, three-quarter, separated by commas");
      }
      parsed.views = *views;
      ++i;
    } else if (!vram && arg == "--cull") {
      parsed.render.cull = true;
    } else if (arg.size() > 1 && arg.front() == '-') {
      error = "rsdview: unknown option " + arg + " for " + args[0];
      return std::nullopt;
    } else if (parsed.rsd.empty()) {
      parsed.rsd = arg;
    } else {
      error = "rsdview: one RSD file only, not also " + arg;
      return std::nullopt;
    }
  }
  if (parsed.rsd.empty() || parsed.output.empty()) {
    error = parsed.rsd.empty() ? "rsdview: no RSD file given" : "rsdview: no -o OUT.png given";
    return std::nullopt;
  }
  return parsed;
}

}  // namespace rsdview
