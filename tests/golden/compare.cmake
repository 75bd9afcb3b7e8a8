# Runs the event runner on SCRIPT in DIR, a folder of its own made empty first, and compares
# its standard output (kept in OUT) with EXPECTED byte for byte and its exit status with
# STATUS. Set UPDATE=1 to rewrite EXPECTED instead (then review it).
# DIR is emptied: it must be a path of its own, never a relative or empty one.
if(NOT IS_ABSOLUTE "${DIR}")
  message(FATAL_ERROR "DIR must be an absolute path, not '${DIR}'")
endif()
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
execute_process(COMMAND ${RUNNER} ${SCRIPT} WORKING_DIRECTORY ${DIR}
                OUTPUT_FILE ${OUT} ERROR_VARIABLE errors RESULT_VARIABLE result)
file(READ ${OUT} actual HEX)
if(DEFINED ENV{UPDATE})
  file(RENAME ${OUT} ${EXPECTED})
  return()
endif()
file(READ ${OUT} text)
file(REMOVE ${OUT})
file(READ ${EXPECTED} expected HEX)
if(NOT result STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${result}, expected ${STATUS}; stderr: ${errors}")
endif()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}; it was:\n${text}")
endif()
