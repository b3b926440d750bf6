// The simulated graphics service. Placeholder until the software raster exists.
#pragma once

#include "platform/Graphics.h"

namespace vp::sim {

class SimGraphics final : public Graphics {};

} // namespace vp::sim
