# Every suite in tests/wine/ becomes a test of this Windows build, run under Wine:
# wine.<suite>, labelled `wine`, and also `window` when it opens windows on a display.
# Suites are found by name, so a new one is registered without touching this file; lib.sh
# is what they share. `ctest --preset mingw64` (or mingw32) runs them. A suite that holds the
# line "# vp-suite: 64-bit only" is left out of the 32-bit build. A suite of the 32-bit build
# on a machine that cannot run 32-bit programs ends with status 77 and shows as skipped.
file(GLOB VP_WINE_SUITES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/wine/*.sh")
list(FILTER VP_WINE_SUITES EXCLUDE REGEX "/lib\\.sh$")

foreach(suite IN LISTS VP_WINE_SUITES)
  get_filename_component(name "${suite}" NAME_WE)
  file(READ "${suite}" text)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND text MATCHES "\n# vp-suite: 64-bit only")
    continue()
  endif()
  set(labels wine)
  if(text MATCHES "with_display")
    list(APPEND labels window)
  endif()
  add_test(NAME wine.${name} COMMAND bash "${suite}" "${CMAKE_BINARY_DIR}"
           WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
  # A suite's own prefix takes 10 to 20 s to make; the longest suite runs about a minute.
  set_tests_properties(wine.${name} PROPERTIES LABELS "${labels}" TIMEOUT 600 SKIP_RETURN_CODE 77)
  if(text MATCHES "cmake --build")
    # Two builds in one build folder at once would trip over each other.
    set_tests_properties(wine.${name} PROPERTIES RESOURCE_LOCK "build:${CMAKE_BINARY_DIR}")
  endif()
endforeach()
