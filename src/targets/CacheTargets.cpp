#include "app/Form1.h"

namespace vp {

void Form1::Cookies() {
    BeginTarget(&Form1::Cookies);
    EndLogSection();
}

void Form1::IETemp() {
    BeginTarget(&Form1::IETemp);
    EndLogSection();
}

} // namespace vp
