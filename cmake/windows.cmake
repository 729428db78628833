# The Windows build (cmake --preset windows, or any MinGW-w64 toolchain):
# curling-engine.exe, CurlingSimulator.dll, the opponents and curling-analyze.
# Its tests run on Linux, against these programs under Wine (tests/windows/).
if(NOT WIN32)
  return()
endif()

if(NOT MINGW)
  message(FATAL_ERROR "The Windows build uses the MinGW-w64 compiler (cmake/mingw-w64-x86_64.cmake)")
endif()

# The tests' harnesses and the benchmark library are POSIX programs.
if(CURLING_BUILD_TESTS OR CURLING_BUILD_BENCH)
  message(STATUS "Windows build: tests and benchmarks off; tests/windows runs the programs under Wine from a Linux build")
  set(CURLING_BUILD_TESTS OFF CACHE BOOL "Build the tests" FORCE)
  set(CURLING_BUILD_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)
endif()

# The C and C++ runtimes and the thread library go into every program and the
# library, so that they run on a Windows machine with nothing installed.
add_link_options(-static)
