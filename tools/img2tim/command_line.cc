#include "tools/img2tim/command_line.h"

#include <charconv>

#include "gannet_version.h"

namespace img2tim {
namespace {

bool ReadInt(const std::string& text, int low, int high, int& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

// Reads `count` integers after option `args[i]`.
bool ReadValues(const std::vector<std::string>& args, std::size_t& i, int count, int low, int high,
                int* values, std::string& error) {
  const std::string option = args[i];
  for (int k = 0; k < count; ++k) {
    if (++i >= args.size() || !ReadInt(args[i], low, high, values[k])) {
      error = "Invalid value for " + option;
      return false;
    }
  }
  return true;
}

std::string DefaultOutput(const std::string& input) {
  const std::size_t slash = input.find_last_of("/\\");
  const std::size_t dot = input.rfind('.');
  const bool has_extension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (has_extension ? input.substr(0, dot) : input) + ".tim";
}

}  // namespace

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error) {
  Arguments parsed;
  if (args.size() == 1 && args[0] == "--version") {
    parsed.show_version = true;
    return parsed;
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    int values[3] = {0, 0, 0};
    if (arg == "-bpp") {
      if (!ReadValues(args, i, 1, 4, 16, values, error)) {
        return std::nullopt;
      }
      if (values[0] != 4 && values[0] != 8 && values[0] != 16) {
        error = "Invalid bit depth " + args[i] + ", only 4, 8 or 16";
        return std::nullopt;
      }
      parsed.settings.bits_per_pixel = values[0];
    } else if (arg == "-tcol") {
      if (!ReadValues(args, i, 3, 0, 255, values, error)) {
        return std::nullopt;
      }
      parsed.settings.transparent =
          Rgb{static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
              static_cast<std::uint8_t>(values[2])};
    } else if (arg == "-org" || arg == "-plt") {
      if (!ReadValues(args, i, 2, 0, kVramWidth - 1, values, error)) {
        return std::nullopt;
      }
      int& x = arg == "-org" ? parsed.settings.image_x : parsed.settings.palette_x;
      int& y = arg == "-org" ? parsed.settings.image_y : parsed.settings.palette_y;
      x = values[0];
      y = values[1];
    } else if (arg == "-t") {
      parsed.settings.semi_transparent = true;
    } else if (arg == "-o") {
      if (++i >= args.size() || args[i].empty()) {
        error = "Invalid value for -o";
        return std::nullopt;
      }
      parsed.output = args[i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "Invalid option " + arg;
      return std::nullopt;
    } else if (parsed.input.empty()) {
      parsed.input = arg;
    } else {
      error = "Invalid argument " + arg + ": only one input file";
      return std::nullopt;
    }
  }
  if (parsed.input.empty()) {
    error = "Invalid command line: no input file";
    return std::nullopt;
  }
  if (parsed.output.empty()) {
    parsed.output = DefaultOutput(parsed.input);
  }
  return parsed;
}

std::string Usage() {
  return "usage: img2tim [-bpp 4|8|16] [-tcol R G B] [-org X Y] [-plt X Y] [-t] [-o OUT.tim] "
         "IN.bmp\n";
}

std::string VersionLine() {
  return std::string("img2tim ") + gannet::kVersion + "\n";
}

}  // namespace img2tim
