// Fixed-notation numbers for the millions of vertex and normal values of a
// PLY file.
#ifndef GANNET_EXPORTER_FIXED_TEXT_H_
#define GANNET_EXPORTER_FIXED_TEXT_H_

#include <string>

namespace exporter {

/// Appends exactly the text of exportlib::FormatFixed(value, decimals): half
/// away from zero on the exact binary value, no minus sign on a zero, the
/// plug-in's decimal separator. Values below 2^53 with at most 17 decimals
/// take an integer path (128-bit where the compiler has it) instead of the
/// full decimal expansion; all others go to FormatFixed.
void AppendFixed(std::string& text, double value, int decimals);

}  // namespace exporter

#endif  // GANNET_EXPORTER_FIXED_TEXT_H_
