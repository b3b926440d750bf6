// The shell-folder targets: the URL history, the temporary folder, the prefetch files and the
// recycle bins.
#include "app/Form1.h"

#include "platform/Environment.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace vp {

void Form1::HisTory() {
    BeginTarget(&Form1::HisTory);
    EndLogSection();
}

void Form1::Temp() {
    BeginTarget(&Form1::Temp);
    // The query writes into a buffer of 255 characters; a path that does not fit leaves the
    // buffer as it was (all zeros), which names no folder, so nothing is swept.
    constexpr std::uint32_t BufferLength = 255;
    std::string buffer(BufferLength, '\0');
    const std::uint32_t length = platform_.environment.tempPath(BufferLength, buffer);
    ClearD(utf8::prefix(buffer, std::min(length, BufferLength)));
    EndLogSection();
}

void Form1::Prefetch() {
    BeginTarget(&Form1::Prefetch);
    EndLogSection();
}

void Form1::Corb() {
    BeginTarget(&Form1::Corb);
    EndLogSection();
}

} // namespace vp
