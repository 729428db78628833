# MODE=install: `cmake --install` into a scratch prefix. MODE=packages: cpack's
# .tar.gz and .deb, unpacked. Either way the installed engine answers ISREADY
# when started from an unrelated directory with no library path set, the
# library is not beside it but in the library folder, and the programs that
# link the library start.
#
# With PYTHON_PACKAGE (the Python package's folder under the prefix), the
# package must be there with its module.
#
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -DLIBDIR=<lib> [-DPYTHON_PACKAGE=<dir>]
#         -DMODE=install|packages -P ...

cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/elsewhere")
file(WRITE "${WORK_DIR}/input" "ISREADY\n")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${status}\n${output}${errors}")
  endif()
endfunction()

# Checks the tree installed under `root` (the prefix itself).
function(check_tree root)
  set(engine "${root}/bin/curling-engine")
  foreach(file "${engine}" "${root}/${LIBDIR}/libCurlingSimulator.so"
          "${root}/bin/curling-match" "${root}/bin/curling-analyze"
          "${root}/bin/curling-opponent-greedy")
    if(NOT EXISTS "${file}")
      message(FATAL_ERROR "not installed: ${file}")
    endif()
  endforeach()
  if(PYTHON_PACKAGE)
    file(GLOB module "${root}/${PYTHON_PACKAGE}/_curling*.so")
    if(NOT EXISTS "${root}/${PYTHON_PACKAGE}/__init__.py" OR NOT module)
      message(FATAL_ERROR "the Python package is not in ${root}/${PYTHON_PACKAGE}")
    endif()
  endif()
  if(EXISTS "${root}/bin/libCurlingSimulator.so")
    message(FATAL_ERROR "the library lies beside the programs, so the rpath goes untested")
  endif()

  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH "${engine}"
    INPUT_FILE "${WORK_DIR}/input" WORKING_DIRECTORY "${WORK_DIR}/elsewhere"
    RESULT_VARIABLE status OUTPUT_VARIABLE reply ERROR_VARIABLE errors)
  if(NOT status EQUAL 0 OR NOT reply STREQUAL "READYOK")
    message(FATAL_ERROR "${engine}: status ${status}, reply '${reply}'\n${errors}")
  endif()
  foreach(program curling-match curling-analyze)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH
      "${root}/bin/${program}" --help WORKING_DIRECTORY "${WORK_DIR}/elsewhere"
      RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${root}/bin/${program} --help: ${status}\n${errors}")
    endif()
  endforeach()
endfunction()

if(MODE STREQUAL "install")
  run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}/root")
  check_tree("${WORK_DIR}/root")
elseif(MODE STREQUAL "packages")
  find_program(CPACK cpack HINTS "${CMAKE_COMMAND}/.." REQUIRED)
  run(${CPACK} --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}/out")
  file(GLOB tarball "${WORK_DIR}/out/*.tar.gz")
  file(GLOB deb "${WORK_DIR}/out/*.deb")
  if(NOT tarball OR NOT deb)
    message(FATAL_ERROR "cpack made no .tar.gz or no .deb")
  endif()

  file(MAKE_DIRECTORY "${WORK_DIR}/tarball")
  run(${CMAKE_COMMAND} -E chdir "${WORK_DIR}/tarball" ${CMAKE_COMMAND} -E tar xzf "${tarball}")
  file(GLOB top "${WORK_DIR}/tarball/*")
  check_tree("${top}")

  run(dpkg-deb -x "${deb}" "${WORK_DIR}/deb")
  check_tree("${WORK_DIR}/deb/usr")
  execute_process(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT_VARIABLE depends)
  if(NOT depends MATCHES "libc6")
    message(FATAL_ERROR "the package states no dependencies: '${depends}'")
  endif()
else()
  message(FATAL_ERROR "MODE must be install or packages")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
