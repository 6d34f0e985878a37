// Reading of the command line into the run settings.
#ifndef PACKER_OPTIONS_H_
#define PACKER_OPTIONS_H_

#include <cstdint>

namespace morphon {

/// How many arguments after the program name are looked at; later ones are
/// ignored.
inline constexpr int kArgumentsRead = 5;

/// The number that an argument holds from its third character on, read the
/// way C's atoi reads: leading blanks, one sign, digits up to the first other
/// character; 0 when no digit comes first. Saturates instead of overflowing.
/// `argument` has at least two characters.
std::int64_t ReadTweenNumber(const char* argument);

/// Sets g_tweens, g_normals, g_include_loopback, g_min_max and g_verbose from
/// defaults and the first five arguments of `argv` (argv[0] is the program).
/// A tween count of 1 becomes 0. A count that reads as negative or does not
/// fit in 32 bits takes the error exit. Prints nothing.
void ReadOptions(int argc, const char* const* argv);

}  // namespace morphon

#endif  // PACKER_OPTIONS_H_
