// Compiles the Win32 platform bundle with every service, so each is checked by both builds.
#include "platform/win32/Win32Platform.h"
