# The shared library exports exactly the symbols of its export list: every
# name the list makes global is defined, and nothing else is visible.
#
#   cmake -DLIBRARY=<libCurlingSimulator.so> -DEXPORTS_MAP=<exports.map> -DNM=<nm> -P ...

cmake_minimum_required(VERSION 3.25)

file(READ "${EXPORTS_MAP}" map)
string(REGEX MATCH "global:([^}]*)local:" globalPart "${map}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*;" names "${CMAKE_MATCH_1}")
set(listed "")
foreach(name IN LISTS names)
  string(REPLACE ";" "" name "${name}")
  if(NOT name STREQUAL "")
    list(APPEND listed "${name}")
  endif()
endforeach()
list(SORT listed)

execute_process(COMMAND ${NM} -D --defined-only --format=posix "${LIBRARY}"
  RESULT_VARIABLE status OUTPUT_VARIABLE table)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} cannot read ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${table}")
set(exported "")
foreach(line IN LISTS lines)
  # Code and data only; the version node the script defines is not a symbol
  # anyone can call.
  if(line MATCHES "^([^ ]+) [TtDdBbRrWwVviu] ")
    list(APPEND exported "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(SORT exported)

if(NOT listed)
  message(FATAL_ERROR "no global names in ${EXPORTS_MAP}")
endif()
if(NOT exported STREQUAL listed)
  message(FATAL_ERROR "exported: ${exported}\nlisted:   ${listed}")
endif()
message(STATUS "exports: ${exported}")
