# Runs a face on SCRIPT in DIR, a folder of its own made empty first, and compares its standard
# output (kept in OUT) with EXPECTED byte for byte and its exit status with STATUS. The face is
# RUNNER, given the arguments in RUNNER_ARGS ("|" between them) before the script: the event
# runner itself, or a replay of the script on a real dialog. Set UPDATE=1 to rewrite EXPECTED
# instead (then review it). On a difference OUT is kept.
# DIR is emptied: it must be a path of its own, never a relative or empty one. The files in
# NAME.files beside the script, where there is such a folder, are copied into it first.
if(NOT IS_ABSOLUTE "${DIR}")
  message(FATAL_ERROR "DIR must be an absolute path, not '${DIR}'")
endif()
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
# The files a session reads, beside its script in NAME.files, start in DIR.
get_filename_component(files ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
if(IS_DIRECTORY ${files}/${name}.files)
  file(COPY ${files}/${name}.files/ DESTINATION ${DIR})
endif()
string(REPLACE "|" ";" args "${RUNNER_ARGS}")
execute_process(COMMAND ${RUNNER} ${args} ${SCRIPT} WORKING_DIRECTORY ${DIR}
                OUTPUT_FILE ${OUT} ERROR_VARIABLE errors RESULT_VARIABLE result)
if(DEFINED ENV{UPDATE})
  file(RENAME ${OUT} ${EXPECTED})
  return()
endif()
file(READ ${OUT} actual HEX)
file(READ ${EXPECTED} expected HEX)
if(NOT result STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${result}, expected ${STATUS}; stderr: ${errors}")
endif()
if(NOT actual STREQUAL expected)
  file(READ ${OUT} text)
  message(FATAL_ERROR "output differs from ${EXPECTED}; it is kept in ${OUT}:\n${text}")
endif()
file(REMOVE ${OUT})
