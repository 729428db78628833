# Installation and packages. `cmake --install` puts every program (each
# target named curling-*) and the simulator library where the programs find
# the library; cpack makes a .tar.gz and a .deb on Linux, a .zip on Windows.
include(GNUInstallDirs)

# Installing and packaging take the tree as built: cpack does not start a
# build of its own (which, inside the packages' test, would race the tests).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The product's programs, gathered from every folder, so that a new program
# is installed without being listed here.
function(curling_collect_programs directory result)
  set(found "")
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" AND target MATCHES "^curling-")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    curling_collect_programs(${subdirectory} below)
    list(APPEND found ${below})
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

curling_collect_programs(${PROJECT_SOURCE_DIR} curling_programs)

if(WIN32)
  # One folder: the programs find CurlingSimulator.dll beside themselves.
  install(TARGETS ${curling_programs} CurlingSimulator RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows-readme.txt DESTINATION . RENAME README.txt)
else()
  install(TARGETS ${curling_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS CurlingSimulator LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/curling-player)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/curling-player)
  # The engine and the opponents load the library at start and the others
  # link it: an rpath relative to the program finds it wherever the tree is
  # installed or unpacked.
  file(RELATIVE_PATH libraryFromPrograms
    ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(${curling_programs} PROPERTIES
    INSTALL_RPATH "$ORIGIN/${libraryFromPrograms}")
endif()

# The play page, when the wasm preset has built it (scripts/web.sh): one file
# that a browser opens from disk, beside the documentation.
set(CURLING_WEB_PAGE "${PROJECT_SOURCE_DIR}/build-wasm/curling-play.html" CACHE FILEPATH
  "The play page (curling-play.html) that installs and packages include when it is there")
if(WIN32)
  install(FILES ${CURLING_WEB_PAGE} DESTINATION . OPTIONAL)
else()
  install(FILES ${CURLING_WEB_PAGE} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/curling-player OPTIONAL)
endif()

set(CPACK_PACKAGE_NAME curling-player)
set(CPACK_PACKAGE_VENDOR "Curling player developers")
set(CPACK_PACKAGE_CONTACT "Curling player developers <curling-player@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Computer player for simulated curling, its physics library, a match runner and tools")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_INSTALL_FULL_LIBDIR})
endif()
include(CPack)
