// Fixed-notation numbers for the OBJ writer's vertex and texture-coordinate
// lines, which write millions of them.
#ifndef GANNET_BATCHTOOL_FIXED_TEXT_H_
#define GANNET_BATCHTOOL_FIXED_TEXT_H_

#include <string>

namespace batchtool {

/// Appends exactly what exportlib::FormatFixed(value, decimals) gives (the
/// plug-ins' rounding, half away from zero on the exact binary value, no
/// minus sign on a zero, exportlib's decimal separator), without building the
/// value's full decimal expansion when the compiler offers 128-bit integers.
void AppendFixed(std::string& text, double value, int decimals);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_FIXED_TEXT_H_
