// Identifiers and version numbers shared by the resource script and the program.
#pragma once

#define VP_VERSION_BINARY 1, 0, 0, 0
#define VP_VERSION_TEXT "1.0.0.0"

// The application manifest, as the loader looks for it.
#define IDR_MANIFEST 1
