// The power function of the texture pass, which takes a TIM image's colour
// count (2 to the power of its bit depth) from it.
#ifndef GANNET_EXPORTLIB_RAISE_POWER_H_
#define GANNET_EXPORTLIB_RAISE_POWER_H_

namespace exportlib {

/// `base` to the power `exponent` in extended precision. Magnitudes below
/// 1e-15 count as 0; 0 to the power 0 is 1, 0 to any other power 0; a negative
/// base gives a negative result when exponent / 2 has a fractional part.
double RaisePower(double exponent, double base);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_RAISE_POWER_H_
