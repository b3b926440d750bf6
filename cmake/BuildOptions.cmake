# What every target is built with, as usage requirements instead of directory-wide settings:
#   vp_build_options  warnings as errors, the sanitizers or fuzzing coverage when asked for, the
#                     library's own checks in debug builds, reproducible Windows executables.
#                     vp_logic carries it PUBLIC, so everything that links the logic has it.
#   vp_windows        the defines of every file that includes <windows.h>: wide-character API,
#                     the lean headers, no min/max macros, Windows 7 as the oldest version.
#                     vp_win32 carries it PUBLIC.
add_library(vp_build_options INTERFACE)
if(MSVC)
  target_compile_options(vp_build_options INTERFACE
                         $<$<COMPILE_LANGUAGE:CXX>:/W4 /WX /permissive- /utf-8 /EHsc>)
else()
  target_compile_options(vp_build_options INTERFACE
                         $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                   -Wold-style-cast -Woverloaded-virtual -Werror
                         # Designated initializers leave the other fields at their defaults on purpose.
                                                   -Wno-missing-field-initializers>)
endif()
# Bounds and precondition checks in the standard library (operator[], front() of an empty
# container...) wherever the build is a debug one.
target_compile_definitions(vp_build_options INTERFACE $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
if(WIN32 AND NOT MSVC)
  # Reproducible executables: no link time in the PE header, no source folder in the code.
  target_link_options(vp_build_options INTERFACE -Wl,--no-insert-timestamp)
  target_compile_options(vp_build_options INTERFACE
                         $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>)
endif()
if(VP_SANITIZE)
  target_compile_options(vp_build_options INTERFACE
                         $<$<COMPILE_LANGUAGE:CXX>:-fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=all>)
  target_link_options(vp_build_options INTERFACE -fsanitize=address,undefined)
endif()
if(VP_FUZZ)
  # Coverage for libFuzzer in every library the fuzz targets link, not only in their own file.
  target_compile_options(vp_build_options INTERFACE
                         $<$<COMPILE_LANGUAGE:CXX>:-fsanitize=fuzzer-no-link>)
endif()

add_library(vp_windows INTERFACE)
if(WIN32)
  # The oldest Windows the program supports: Windows 7. The SDK headers then declare nothing
  # newer, so a call that needs a later version fails to build instead of failing to start.
  target_compile_definitions(vp_windows INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE
                             _WIN32_WINNT=0x0601 WINVER=0x0601 NTDDI_VERSION=0x06010000)
endif()
