// The registry services' header compiles after <windows.h>, whose macros (HKEY_CURRENT_USER,
// REG_SZ, KEY_ALL_ACCESS) would otherwise rewrite its names; built only, nothing to run.
#include <windows.h>

#include "platform/Registry.h"

static_assert(vp::KeyAllAccess == KEY_ALL_ACCESS);
static_assert(vp::StringValueType == REG_SZ);
static_assert(vp::KeyQueryValue == KEY_QUERY_VALUE);
static_assert(vp::OpenLinkOption == REG_OPTION_OPEN_LINK);
static_assert(vp::LinkValueType == REG_LINK);
static_assert(vp::RegStatus::MoreData == ERROR_MORE_DATA);
