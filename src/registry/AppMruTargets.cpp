#include "app/Form1.h"

namespace vp {

void Form1::Nero() {
    BeginTarget(&Form1::Nero);
    EndLogSection();
}

void Form1::Cover() {
    BeginTarget(&Form1::Cover);
    EndLogSection();
}

void Form1::VB() {
    BeginTarget(&Form1::VB);
    EndLogSection();
}

void Form1::WM() {
    BeginTarget(&Form1::WM);
    EndLogSection();
}

void Form1::Rar() {
    BeginTarget(&Form1::Rar);
    EndLogSection();
}

void Form1::Zip() {
    BeginTarget(&Form1::Zip);
    EndLogSection();
}

} // namespace vp
