// Identifiers and version numbers shared by the resource script and the program.
#pragma once

#include "version.h"

// The application manifest, as the loader looks for it.
#define IDR_MANIFEST 1
