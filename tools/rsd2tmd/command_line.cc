#include "tools/rsd2tmd/command_line.h"

#include <charconv>
#include <cmath>

#include "gannet_version.h"

namespace rsd2tmd {
namespace {

std::string DefaultOutput(const std::string& rsd) {
  const std::size_t dot = rsd.size() >= 4 ? rsd.size() - 4 : std::string::npos;
  if (dot != std::string::npos && rsd[dot] == '.' &&
      (rsd.compare(dot, 4, ".rsd") == 0 || rsd.compare(dot, 4, ".RSD") == 0)) {
    return rsd.substr(0, dot) + ".tmd";
  }
  return rsd + ".tmd";
}

std::optional<double> PositiveNumber(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value) ||
      value <= 0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error) {
  Arguments parsed;
  if (args.size() == 1 && args[0] == "--version") {
    parsed.show_version = true;
    return parsed;
  }
  std::optional<std::string> output;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_ended && arg == "--") {
      options_ended = true;
    } else if (options_ended) {
      if (!parsed.rsd.empty()) {
        error = "one RSD file at a time, not also " + arg;
        return std::nullopt;
      }
      parsed.rsd = arg;
    } else if (arg == "-o" || arg == "-s") {
      if (i + 1 == args.size()) {
        error = "option " + arg + " needs a value";
        return std::nullopt;
      }
      const std::string& value = args[++i];
      if (arg == "-o") {
        output = value;
        continue;
      }
      const std::optional<double> factor = PositiveNumber(value);
      if (!factor) {
        error = "the factor of -s must be a positive number, not '" + value + "'";
        return std::nullopt;
      }
      parsed.factor = *factor;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (parsed.rsd.empty()) {
      parsed.rsd = arg;
    } else {
      error = "one RSD file at a time, not also " + arg;
      return std::nullopt;
    }
  }
  if (parsed.rsd.empty()) {
    error = "no RSD file given";
    return std::nullopt;
  }
  parsed.output = output.value_or(DefaultOutput(parsed.rsd));
  return parsed;
}

std::string VersionLine() {
  return std::string("rsd2tmd ") + gannet::kVersion + "\n";
}

std::string Usage() {
  return "usage: rsd2tmd MODEL.rsd [-o MODEL.tmd] [-s FACTOR]\n"
         "       rsd2tmd [-o MODEL.tmd] [-s FACTOR] -- MODEL.rsd   (a name that begins with -)";
}

}  // namespace rsd2tmd
