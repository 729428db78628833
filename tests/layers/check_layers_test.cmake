# The layer check itself: on a tree that breaks the order in each way it must
# fail and name every broken include, and only those.
#
#   cmake -DCHECK=<check_layers.cmake> -DFIXTURE=<tree> -P check_layers_test.cmake

cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURE} -P ${CHECK}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(status EQUAL 0)
  message(FATAL_ERROR "the check passed a broken tree:\n${output}")
endif()
set(expected
  "engine/decision.h includes search/search.h: search/ is not below engine/"
  "match/game/flow.h includes match/records/record_json.h: match/records/ is not below match/game/"
  "match/game/flow.h includes simulator/delivery.h: outside simulator/ only its interface is used"
)
foreach(line IN LISTS expected)
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing \"${line}\" in:\n${output}")
  endif()
endforeach()
string(REGEX MATCHALL " includes " found "${output}")
list(LENGTH found count)
if(NOT count EQUAL 3)
  message(FATAL_ERROR "expected three broken includes, found ${count}:\n${output}")
endif()
