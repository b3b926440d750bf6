// The 2-D drawing the progress bar needs: a small subset of a Windows device context.
#pragma once

#include <cstdint>

namespace vp {

// A drawing target. Rectangles leave out their right and bottom edges; lines leave out their
// end point.
class DeviceContext {
public:
    virtual ~DeviceContext() = default;
    // Copies a block of `source` here (BitBlt with SRCCOPY).
    virtual void bitBlt(int x, int y, int width, int height, DeviceContext& source, int xSrc,
                        int ySrc) = 0;
};

class Graphics {
public:
    virtual ~Graphics() = default;
};

} // namespace vp
