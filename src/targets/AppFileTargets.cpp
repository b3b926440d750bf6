#include "app/Form1.h"

namespace vp {

void Form1::Azureus() {
    BeginTarget(&Form1::Azureus);
    EndLogSection();
}

void Form1::Donkey() {
    BeginTarget(&Form1::Donkey);
    EndLogSection();
}

void Form1::Mule() {
    BeginTarget(&Form1::Mule);
    EndLogSection();
}

void Form1::MPlayerF() {
    BeginTarget(&Form1::MPlayerF);
    EndLogSection();
}

} // namespace vp
