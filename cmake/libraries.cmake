# A header-only library: nlohmann/json for the match records, as Debian
# installs it (scripts/install-deps.sh).
#
# A cross build must not search the build machine's /usr/include as a whole:
# there the library's own directory is linked into the build tree, and only
# that directory is searched.
function(curling_header_library target header)
  string(MAKE_C_IDENTIFIER ${target} name)
  find_path(CURLING_${name}_INCLUDE ${header} PATHS /usr/include /usr/local/include
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  get_filename_component(top ${header} DIRECTORY)
  set(directory ${CMAKE_BINARY_DIR}/header-libraries/${name})
  file(MAKE_DIRECTORY ${directory})
  file(CREATE_LINK ${CURLING_${name}_INCLUDE}/${top} ${directory}/${top} SYMBOLIC)
  add_library(${name} INTERFACE)
  target_include_directories(${name} SYSTEM INTERFACE ${directory})
  add_library(${target} ALIAS ${name})
endfunction()

if(CMAKE_CROSSCOMPILING)
  curling_header_library(nlohmann_json::nlohmann_json nlohmann/json.hpp)
else()
  find_package(nlohmann_json 3.10 REQUIRED)
endif()
