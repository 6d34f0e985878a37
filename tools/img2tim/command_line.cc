#include "tools/img2tim/command_line.h"

#include <charconv>

#include "gannet_version.h"

namespace img2tim {
namespace {

// TIM files hold positions as 16-bit numbers; whether a place fits video
// memory is judged with the image, whose size it needs.
constexpr int kMaxPosition = 0xFFFF;
constexpr int kMaxChannel = 255;

std::string Lower(std::string text) {
  for (char& c : text) {
    c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return text;
}

bool ReadInt(const std::string& text, int low, int high, int& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

std::string MissingValue(const std::string& option, int count) {
  return "Invalid value for " + option + ": it takes " +
         (count == 1 ? std::string("a number") : std::to_string(count) + " numbers");
}

// Reads the `count` numbers after the option at `args[i]`, each from `low`
// to `high`, moving `i` onto the last.
bool ReadValues(const std::vector<std::string>& args, std::size_t& i, int count, int low, int high,
                int* values, CommandLineError& error) {
  const std::string option = args[i];
  for (int k = 0; k < count; ++k) {
    if (++i >= args.size()) {
      error.message = MissingValue(option, count);
      return false;
    }
    if (!ReadInt(args[i], low, high, values[k])) {
      error.message = "Invalid value for " + option + ": " + args[i] +
                      " is not a whole number from " + std::to_string(low) + " to " +
                      std::to_string(high);
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

bool ReadDepth(const std::vector<std::string>& args, std::size_t& i, TimSettings& settings,
               CommandLineError& error) {
  if (i + 1 >= args.size()) {
    error.message = MissingValue(args[i], 1);
    return false;
  }
  const std::string& text = args[++i];
  int depth = 0;
  if (!ReadInt(text, 4, 16, depth) || (depth != 4 && depth != 8 && depth != 16)) {
    error.message = "Invalid bit depth " + text + ", only 4, 8 or 16";
    return false;
  }
  settings.bits_per_pixel = depth;
  return true;
}

bool ReadPlace(const std::vector<std::string>& args, std::size_t& i, int& x, int& y,
               CommandLineError& error) {
  int values[2] = {0, 0};
  if (!ReadValues(args, i, 2, 0, kMaxPosition, values, error)) {
    return false;
  }
  x = values[0];
  y = values[1];
  return true;
}

// One option and its values at `args[i]`; false with `error` set when it is
// unknown or its values are wrong.
bool ReadOption(const std::vector<std::string>& args, std::size_t& i, Arguments& parsed,
                CommandLineError& error) {
  const std::string option = Lower(args[i]);
  TimSettings& settings = parsed.settings;
  int values[3] = {0, 0, 0};
  if (option == "-bpp") {
    return ReadDepth(args, i, settings, error);
  }
  if (option == "-org") {
    return ReadPlace(args, i, settings.image_x, settings.image_y, error);
  }
  if (option == "-plt") {
    return ReadPlace(args, i, settings.palette_x, settings.palette_y, error);
  }
  if (option == "-tcol") {
    if (!ReadValues(args, i, 3, 0, kMaxChannel, values, error)) {
      return false;
    }
    settings.transparent =
        Rgb{static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
            static_cast<std::uint8_t>(values[2])};
    return true;
  }
  if (option == "-tindex" || option == "-alpt") {
    if (!ReadValues(args, i, 1, 0, kMaxChannel, values, error)) {
      return false;
    }
    if (option == "-tindex") {
      settings.transparent_index = values[0];
    } else {
      settings.alpha_threshold = values[0];
    }
    return true;
  }
  if (option == "-o") {
    if (++i >= args.size() || args[i].empty()) {
      error.message = "Invalid value for -o: it takes a file name";
      return false;
    }
    parsed.output = args[i];
    return true;
  }
  bool* flag = option == "-t"          ? &settings.semi_transparent
               : option == "-b"        ? &settings.opaque_black
               : option == "-usealpha" ? &settings.use_alpha
                                       : nullptr;
  if (flag == nullptr) {
    error = {"Invalid option " + args[i], true};
    return false;
  }
  *flag = true;
  return true;
}

}  // namespace

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args,
                                        CommandLineError& error) {
  Arguments parsed;
  if (args.empty()) {
    parsed.show_usage = true;
    return parsed;
  }
  if (args.size() == 1 && Lower(args[0]) == "--version") {
    parsed.show_version = true;
    return parsed;
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 1 && arg[0] == '-') {
      if (!ReadOption(args, i, parsed, error)) {
        return std::nullopt;
      }
    } else if (parsed.input.empty()) {
      parsed.input = arg;
    } else {
      error = {"Invalid argument " + arg + ": only one input file", true};
      return std::nullopt;
    }
  }
  if (parsed.input.empty()) {
    error = {"Invalid command line: no input file", true};
    return std::nullopt;
  }
  if (parsed.output.empty()) {
    parsed.output = DefaultOutput(parsed.input);
  }
  return parsed;
}

std::string Usage() {
  return "usage: img2tim [options] IN\n"
         "IN is a BMP, PNG, TGA or JPEG image; the TIM is written to IN with the extension\n"
         ".tim unless -o names the file. Option names may be written in any case.\n"
         "  -bpp 4|8|16   depth of the TIM (default: the image's own, 16 for true colour)\n"
         "  -org X Y      image position in video memory (default 640 0)\n"
         "  -plt X Y      palette position, X a multiple of 16 (default 0 480)\n"
         "  -tcol R G B   pixels of this colour are transparent\n"
         "  -tindex N     pixels of palette entry N are transparent\n"
         "  -usealpha     pixels whose alpha is below the threshold are transparent,\n"
         "                partly transparent ones get the semi-transparency bit\n"
         "  -alpt N       that threshold, 0 to 255 (default 128)\n"
         "  -b            black is drawn (opaque black) instead of transparent\n"
         "  -t            semi-transparency bit on every colour that is not transparent\n"
         "  -o OUT        the TIM file\n"
         "  --version     the version\n";
}

std::string VersionLine() {
  return std::string("img2tim ") + gannet::kVersion + "\n";
}

}  // namespace img2tim
