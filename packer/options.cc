#include "packer/options.h"

#include <cstring>
#include <limits>

#include "packer/error_exit.h"
#include "packer/run_settings.h"

namespace morphon {
namespace {

bool Equals(const char* argument, const char* lower, const char* upper) {
  return std::strcmp(argument, lower) == 0 || std::strcmp(argument, upper) == 0;
}

bool Contains(const char* argument, const char* lower, const char* upper) {
  return std::strstr(argument, lower) != nullptr || std::strstr(argument, upper) != nullptr;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int64_t ReadTweenNumber(const char* argument) {
  const char* p = argument + 2;
  while (IsBlank(*p)) {
    ++p;
  }
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') {
    ++p;
  }
  constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    const int digit = *p - '0';
    value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
  }
  return negative ? -value : value;
}

void ReadOptions(int argc, const char* const* argv) {
  g_tweens = 0;
  g_normals = 1;
  g_include_loopback = 0;
  g_min_max = 0;
  g_verbose = 0;
  std::int64_t tweens = 0;
  for (int i = 1; i < argc && i <= kArgumentsRead; ++i) {
    const char* argument = argv[i];
    if (Equals(argument, "-nn", "-NN")) {
      g_normals = 0;
    }
    if (Equals(argument, "-v", "-V")) {
      g_verbose = 1;
    }
    if (Equals(argument, "-mm", "-MM")) {
      g_min_max = 1;
    }
    if (Contains(argument, "-l", "-L")) {
      g_include_loopback = 1;
    }
    if (Contains(argument, "-t", "-T")) {
      tweens = ReadTweenNumber(argument);
    }
  }
  // A negative count would turn into billions of tweens per segment.
  if (tweens < 0) {
    exit_with_error("The -T tween count must not be negative.");
  }
  if (tweens > std::numeric_limits<std::uint32_t>::max()) {
    exit_with_error("The -T tween count does not fit in 32 bits.");
  }
  g_tweens = tweens == 1 ? 0 : static_cast<std::uint32_t>(tweens);
}

}  // namespace morphon
