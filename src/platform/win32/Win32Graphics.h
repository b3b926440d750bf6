// The Win32 graphics service. Placeholder until the software raster exists.
#pragma once

#include "platform/Graphics.h"

namespace vp::win32 {

class Win32Graphics final : public Graphics {};

} // namespace vp::win32
