// PNG files of simulated pixel buffers (8-bit RGB), for golden images and the contact sheet.
#pragma once

#include "platform/sim/SimRaster.h"

#include <string>

namespace vp::tools {

// Both throw std::runtime_error with the path when the file cannot be written or read.
void WritePng(const std::string& path, const sim::SimRaster& raster);
sim::SimRaster ReadPng(const std::string& path);

} // namespace vp::tools
