# cmake -DDATLIB=... -DLIBRARY=... -DWORK=... [-DROUND_TRIP_ONLY=ON] -P datlib_clean.cmake
# Fails unless `datlib check` prints no error or warning for LIBRARY and a dump
# of LIBRARY builds back to identical bytes. WORK is emptied and reused.
# ROUND_TRIP_ONLY leaves the check out: test libraries hold resources nothing
# names on purpose.
foreach(var DATLIB LIBRARY WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
if(NOT EXISTS ${LIBRARY})
  message(FATAL_ERROR "${LIBRARY} is missing: build the default target first")
endif()

if(NOT ROUND_TRIP_ONLY)
  execute_process(COMMAND ${DATLIB} check ${LIBRARY}
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE diagnostics)
  if(NOT rc EQUAL 0 OR NOT diagnostics STREQUAL "")
    message(FATAL_ERROR "datlib check ${LIBRARY} (exit ${rc}) reported:\n${diagnostics}")
  endif()
endif()

file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${DATLIB} dump ${LIBRARY} -o ${WORK}/sources
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "datlib dump failed (exit ${rc}):\n${err}")
endif()
execute_process(COMMAND ${DATLIB} build ${WORK}/sources/project.yaml -o ${WORK}/again.lib
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the dump failed (exit ${rc}):\n${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${LIBRARY} ${WORK}/again.lib
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the dump of ${LIBRARY} builds to different bytes (${WORK}/again.lib)")
endif()
