#include "exportlib/raise_power.h"

#include <cmath>

namespace exportlib {
namespace {

constexpr long double kNegligible = 1e-15L;

long double ZeroIfNegligible(long double value) {
  return std::fabs(value) < kNegligible ? 0.0L : value;
}

}  // namespace

double RaisePower(double exponent, double base) {
  const long double e = ZeroIfNegligible(exponent);
  const long double b = ZeroIfNegligible(base);
  if (b == 0) {
    return e == 0 ? 1.0 : 0.0;
  }
  const long double log_magnitude = std::log(std::fabs(b));
  long double result = e >= 0 ? std::exp(log_magnitude * e) : 1.0L / std::exp(log_magnitude * -e);
  const long double half = e / 2;
  if (b < 0 && half != std::trunc(half)) {
    result = -result;
  }
  return static_cast<double>(result);
}

}  // namespace exportlib
