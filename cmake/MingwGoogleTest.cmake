# GoogleTest for the Windows builds, cross-built with MinGW-w64 from Debian's sources
# (/usr/src/googletest, package googletest): static libraries, no Google Mock. MinGW's
# win32 thread model has no std::mutex or std::condition_variable, which GoogleTest's
# Notification is built on; GTEST_HAS_NOTIFICATION_ tells it that one exists already, and the
# shim header, forced into every file that GoogleTest or a test compiles, declares it (on a
# Win32 event).
set(VP_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest's sources (Debian's googletest)")
# A release needs no test: without the sources (a machine with the release's packages only) the
# contract tests are left out, and their suite fails for want of its program.
if(NOT EXISTS "${VP_GOOGLETEST_SOURCE}/googletest/CMakeLists.txt")
  message(STATUS "GoogleTest's sources are missing from ${VP_GOOGLETEST_SOURCE}: no contract "
                 "tests (scripts/install-deps.sh test installs them)")
  set(VP_GOOGLETEST_FOUND OFF)
  return()
endif()
set(VP_GOOGLETEST_FOUND ON)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_SHARED_LIBS OFF)
add_subdirectory("${VP_GOOGLETEST_SOURCE}/googletest" "${CMAKE_BINARY_DIR}/googletest"
                 EXCLUDE_FROM_ALL SYSTEM)
set(vp_gtest_shim "${PROJECT_SOURCE_DIR}/tests/win32/contract/GTestNotificationShim.h")
target_sources(gtest PRIVATE "${PROJECT_SOURCE_DIR}/tests/win32/contract/GTestNotificationShim.cpp")
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest PUBLIC "SHELL:-include \"${vp_gtest_shim}\"")
