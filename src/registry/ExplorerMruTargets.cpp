#include "app/Form1.h"

namespace vp {

void Form1::Typed() {
    BeginTarget(&Form1::Typed);
    EndLogSection();
}

void Form1::Recent() {
    BeginTarget(&Form1::Recent);
    EndLogSection();
}

void Form1::Run() {
    BeginTarget(&Form1::Run);
    EndLogSection();
}

void Form1::Searched() {
    BeginTarget(&Form1::Searched);
    EndLogSection();
}

} // namespace vp
