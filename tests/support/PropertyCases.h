// How many generated cases a property test tries: all of them in the plain build, a fifth
// under the sanitizers, which run the same code several times slower; every case still runs
// in the plain build of the same test command.
#pragma once

namespace vp::test {

constexpr int PropertyCases(int full) {
#ifdef VP_SANITIZED_BUILD
    return full / 5 > 0 ? full / 5 : 1;
#else
    return full;
#endif
}

} // namespace vp::test
