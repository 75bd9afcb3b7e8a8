# Replays SCRIPT on the real dialog under Wine in DIR, a folder of its own made empty first,
# and compares the output with the headless runner's EXPECTED byte for byte, and the exit
# status with STATUS.
# DIR is emptied: it must be a path of its own, never a relative or empty one.
if(NOT IS_ABSOLUTE "${DIR}")
  message(FATAL_ERROR "DIR must be an absolute path, not '${DIR}'")
endif()
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
execute_process(COMMAND ${WINE} ${REPLAY} ${EXE} ${SCRIPT} WORKING_DIRECTORY ${DIR}
                OUTPUT_FILE ${OUT} ERROR_VARIABLE errors RESULT_VARIABLE result)
file(READ ${OUT} actual HEX)
file(READ ${EXPECTED} expected HEX)
if(NOT result STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${result}, expected ${STATUS}; stderr: ${errors}")
endif()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}; it is kept in ${OUT}")
endif()
file(REMOVE ${OUT})
