# Replays SCRIPT on the real dialog under Wine and compares the output with the headless
# runner's EXPECTED byte for byte, and the exit status with STATUS.
execute_process(COMMAND ${WINE} ${REPLAY} ${EXE} ${SCRIPT}
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
