// The registry services' header, then <windows.h>: both orders must compile; built only.
#include "platform/Registry.h"

#include <windows.h>

static_assert(vp::RegStatus::FileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(vp::RegStatus::AccessDenied == ERROR_ACCESS_DENIED);
