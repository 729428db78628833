# The WebAssembly build (cmake --preset wasm, scripts/web.sh), with Debian's
# emscripten: the play page, curling-play.html, and the golden deliveries'
# digest program for Node. No tests or benchmarks: the native build runs the
# module's tests under Node and Chromium (tests/web/).
if(NOT EMSCRIPTEN)
  return()
endif()

if(CURLING_BUILD_TESTS OR CURLING_BUILD_BENCH)
  message(STATUS "WebAssembly build: tests and benchmarks off; tests/web runs the module from a native build")
  set(CURLING_BUILD_TESTS OFF CACHE BOOL "Build the tests" FORCE)
  set(CURLING_BUILD_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)
endif()

# Every program is one script with its module inside, which Node runs from
# anywhere and a page opened from disk loads.
add_link_options(-sSINGLE_FILE=1)
