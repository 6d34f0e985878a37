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

const char* CommandWord(Command command) {
  switch (command) {
    case Command::kVram:
      return "vram";
    case Command::kModel:
      return "model";
    case Command::kAnim:
      return "anim";
  }
  return "";
}

std::optional<Command> CommandNamed(const std::string& word) {
  for (Command command : {Command::kVram, Command::kModel, Command::kAnim}) {
    if (word == CommandWord(command)) {
      return command;
    }
  }
  return std::nullopt;
}

// What the command line lacks or holds that does not fit together; empty
// when it is whole.
std::string Incomplete(const Arguments& parsed) {
  const bool anim = parsed.command == Command::kAnim;
  if (parsed.rsd.empty()) {
    return anim ? "rsdview: no pack given" : "rsdview: no RSD file given";
  }
  if (parsed.output.empty()) {
    return "rsdview: no -o OUT.png given";
  }
  if (anim && parsed.tmd.empty()) {
    return "rsdview: anim needs --tmd BASE.tmd";
  }
  if (!anim && !parsed.tims.empty() && !IsTmdName(parsed.rsd)) {
    return "rsdview: --tim is for a TMD model; an RSD file names its own TIM files";
  }
  return "";
}

}  // namespace

bool IsTmdName(const std::string& path) {
  if (path.size() < 4) {
    return false;
  }
  std::string end = path.substr(path.size() - 4);
  for (char& c : end) {
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return end == ".tmd";
}

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error) {
  Arguments parsed;
  const std::optional<Command> command = args.empty() ? std::nullopt : CommandNamed(args[0]);
  if (!command) {
    error = "rsdview: the first word is vram, model or anim";
    return std::nullopt;
  }
  parsed.command = *command;
  const bool vram = parsed.command == Command::kVram;
  const bool anim = parsed.command == Command::kAnim;
  bool sized = false;
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
      sized = true;
      ++i;
    } else if (!vram && !anim && arg == "--views") {
      const std::optional<std::vector<View>> views = has_value ? ViewList(value) : std::nullopt;
      if (!views) {
        return bad_value("views from front, side, top, three-quarter, separated by commas");
      }
      parsed.views = *views;
      ++i;
    } else if (!vram && arg == "--cull") {
      parsed.render.cull = true;
    } else if (!vram && arg == "--camera") {
      if (!has_value || value != "console") {
        return bad_value("console (the console program's camera)");
      }
      parsed.render.console_camera = true;
      ++i;
    } else if (!vram && arg == "--tim") {
      if (!has_value || value.empty()) {
        return bad_value("a TIM file");
      }
      parsed.tims.push_back(value);
      ++i;
    } else if (anim && arg == "--tmd") {
      if (!has_value || value.empty()) {
        return bad_value("a TMD file");
      }
      parsed.tmd = value;
      ++i;
    } else if (anim && arg == "--view") {
      const std::optional<View> view = has_value ? ViewNamed(value) : std::nullopt;
      if (!view) {
        return bad_value("a view: front, side, top or three-quarter");
      }
      parsed.view = *view;
      ++i;
    } else if (anim && arg == "--gif") {
      parsed.gif = true;
    } else if (arg.size() > 1 && arg.front() == '-') {
      error = "rsdview: unknown option " + arg + " for " + args[0];
      return std::nullopt;
    } else if (parsed.rsd.empty()) {
      parsed.rsd = arg;
    } else {
      const char* input = anim ? "pack" : vram ? "RSD file" : "model file";
      error = std::string("rsdview: one ") + input + " only, not also " + arg;
      return std::nullopt;
    }
  }
  error = Incomplete(parsed);
  if (!error.empty()) {
    return std::nullopt;
  }
  if (anim && !sized) {
    parsed.render.size = kAnimFrameSize;
  }
  return parsed;
}

}  // namespace rsdview
