#include "tools/psxview/command_line.h"

#include <charconv>

namespace psxview {
namespace {

constexpr const char* kViewNames[] = {"front", "side", "top", "three-quarter"};

std::optional<int> FrameNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [at, fault] = std::from_chars(text.data(), end, value);
  if (fault != std::errc() || at != end || value < 0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

const char* ViewName(camera::View view) {
  return kViewNames[static_cast<int>(view)];
}

std::optional<camera::View> ViewNamed(const std::string& name) {
  for (int i = 0; i < camera::kViewCount; ++i) {
    if (name == kViewNames[i]) {
      return static_cast<camera::View>(i);
    }
  }
  return std::nullopt;
}

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error) {
  Arguments parsed;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takes_value = arg == "-o" || arg == "--pack" || arg == "--view" || arg == "--frame";
    if (takes_value && i + 1 == args.size()) {
      error = "psxview: " + arg + " needs a value";
      return std::nullopt;
    }
    if (arg == "-o") {
      parsed.output = args[++i];
    } else if (arg == "--pack") {
      parsed.pack = args[++i];
    } else if (arg == "--view") {
      const std::optional<camera::View> view = ViewNamed(args[++i]);
      if (!view) {
        error = "psxview: unknown view '" + args[i] + "' (front, side, top or three-quarter)";
        return std::nullopt;
      }
      parsed.view = *view;
    } else if (arg == "--frame") {
      parsed.frame = FrameNumber(args[++i]);
      if (!parsed.frame) {
        error = "psxview: --frame takes a frame number from 0, not '" + args[i] + "'";
        return std::nullopt;
      }
    } else if (arg == "--spin") {
      parsed.spin = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "psxview: unknown option " + arg;
      return std::nullopt;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    error = "psxview: no TMD file";
    return std::nullopt;
  }
  if (parsed.output.empty()) {
    error = "psxview: no output file (-o VIEW.EXE)";
    return std::nullopt;
  }
  if (parsed.frame && parsed.pack.empty()) {
    error = "psxview: --frame chooses a frame of a pack, and there is no --pack";
    return std::nullopt;
  }
  parsed.tmd = files.front();
  parsed.tims.assign(files.begin() + 1, files.end());
  return parsed;
}

}  // namespace psxview
