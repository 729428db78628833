# Checks the dependency order of the product folders (docs/architecture.md):
# a file may include headers of its own folder and of folders below it, never
# of one above it or beside it in the same layer. A program's main.cpp (or
# NAME_main.cpp) ties the layers together and may include any of them.
# Outside simulator/, the simulator is used through its interface:
# curling_api.h and sheet.h only.
#
#   cmake -DSOURCE_DIR=<root> -P check_layers.cmake

cmake_minimum_required(VERSION 3.25)

# Folders from the bottom up; folders on one line form one layer.
set(layers
  "simulator"
  "engine"
  "candidates"
  "search"
  "opponents;tools"
  "match/platform"
  "match/engines"
  "match/game"
  "match/records"
  "match/reports"
  "match"
)
set(simulatorInterface "simulator/curling_api.h;simulator/sheet.h")

set(rank 0)
set(folders "")
foreach(layer IN LISTS layers)
  foreach(folder IN ITEMS ${layer})
    set(rankOf_${folder} ${rank})
    list(APPEND folders ${folder})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

# The folder a path belongs to: the longest listed folder it lies in.
function(folder_of path result)
  set(found "")
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    string(LENGTH "${found}" foundLength)
    if(head STREQUAL "${folder}/" AND length GREATER foundLength)
      set(found "${folder}")
    endif()
  endforeach()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

set(violations "")
set(checked 0)
foreach(top simulator engine candidates search opponents tools match)
  file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/${top}/*.h" "${SOURCE_DIR}/${top}/*.cpp")
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    folder_of("${source}" home)
    get_filename_component(name "${source}" NAME)
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      folder_of("${header}" target)
      if(target STREQUAL "")
        list(APPEND violations "${source} includes ${header}, which is in no product folder")
        continue()
      endif()
      if(NOT home STREQUAL "simulator" AND target STREQUAL "simulator"
         AND NOT header IN_LIST simulatorInterface)
        list(APPEND violations
          "${source} includes ${header}: outside simulator/ only its interface is used")
      endif()
      if(target STREQUAL home OR name MATCHES "^(.*_)?main\\.cpp$")
        continue()
      endif()
      if(NOT rankOf_${target} LESS rankOf_${home})
        list(APPEND violations "${source} includes ${header}: ${target}/ is not below ${home}/")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}")
endif()
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "the folders' dependency order is broken:\n  ${text}")
endif()
message(STATUS "${checked} sources keep the folders' dependency order")
