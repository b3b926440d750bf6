#include "progressbar/Rounding.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace vp {

std::int32_t RoundHalfEven(double value) {
    // The default floating-point environment rounds to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("overflow: " + std::to_string(value) + " does not fit 32 bits");
    }
    return static_cast<std::int32_t>(rounded);
}

std::int32_t CheckedMultiply(std::int64_t a, std::int64_t b) {
    // Operands within 32 bits each cannot overflow 64 bits.
    const std::int64_t product = a * b;
    if (product < std::numeric_limits<std::int32_t>::min() ||
        product > std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error("overflow: " + std::to_string(a) + " * " + std::to_string(b) +
                                  " does not fit 32 bits");
    }
    return static_cast<std::int32_t>(product);
}

} // namespace vp
