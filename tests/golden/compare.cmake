# Runs the event runner on SCRIPT and compares its standard output with EXPECTED byte for byte
# and its exit status with STATUS. Set UPDATE=1 to rewrite EXPECTED instead (then review it).
execute_process(COMMAND ${RUNNER} ${SCRIPT}
                OUTPUT_FILE ${OUT} ERROR_VARIABLE errors RESULT_VARIABLE result)
file(READ ${OUT} actual HEX)
if(DEFINED ENV{UPDATE})
  file(RENAME ${OUT} ${EXPECTED})
  return()
endif()
file(REMOVE ${OUT})
file(READ ${EXPECTED} expected HEX)
if(NOT result STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${result}, expected ${STATUS}; stderr: ${errors}")
endif()
if(NOT actual STREQUAL expected)
  execute_process(COMMAND ${RUNNER} ${SCRIPT} OUTPUT_VARIABLE text)
  message(FATAL_ERROR "output differs from ${EXPECTED}; it was:\n${text}")
endif()
