// Turning fractional numbers into the control's 32-bit integers.
#pragma once

#include <cstdint>

namespace vp {

// The nearest integer, halves to the even neighbour (2.5 to 2, 3.5 to 4). Throws
// std::overflow_error when the result does not fit 32 bits (NaN included).
std::int32_t RoundHalfEven(double value);

// a * b as a 32-bit integer; throws std::overflow_error when it does not fit.
std::int32_t CheckedMultiply(std::int64_t a, std::int64_t b);

} // namespace vp
