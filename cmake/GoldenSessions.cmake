# Golden sessions: event scripts in tests/golden, each replayed on the faces of the program
# (headless: the event runner; qt: the Qt window; wine: the Win32 dialog under Wine). A face
# passes when its standard output is NAME.expected byte for byte and its exit status is the
# session's STATUS. tests/golden/sessions.cmake lists every session once, with the faces it
# runs on; a test folder says how its face runs a session, then includes that list, and only
# the sessions naming its face become its tests:
#
#   oddsmith_golden_face(FACE face PREFIX test-name-prefix SCRIPT comparing.cmake
#                        [DEFINES VAR=value...] [ENVIRONMENT VAR=value...]
#                        [PROPERTIES property value...] [COPY_PROPERTIES property value...])
#   include(${PROJECT_SOURCE_DIR}/tests/golden/sessions.cmake)
#
# The comparing script is run with the DEFINES and with SCRIPT, EXPECTED, STATUS, DIR and
# OUT. DIR, <build folder>/golden/<face>/<name>, is the session's working directory: the
# script removes and re-creates it before every run, so that no session ever sees what another
# one, or its own last run, left behind. OUT, beside it, receives the output. COPY_PROPERTIES
# apply only to the sessions that copy the line (a line starting with "copy").
include_guard(DIRECTORY)

set(ODDSMITH_GOLDEN_FACES headless qt wine)

function(oddsmith_golden_face)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "FACE;PREFIX;SCRIPT"
                        "DEFINES;ENVIRONMENT;PROPERTIES;COPY_PROPERTIES")
  if(NOT arg_FACE IN_LIST ODDSMITH_GOLDEN_FACES OR NOT arg_PREFIX OR NOT arg_SCRIPT)
    message(FATAL_ERROR
      "oddsmith_golden_face: needs FACE (one of ${ODDSMITH_GOLDEN_FACES}), PREFIX and SCRIPT")
  endif()
  foreach(key FACE PREFIX SCRIPT DEFINES ENVIRONMENT PROPERTIES COPY_PROPERTIES)
    set(ODDSMITH_GOLDEN_${key} "${arg_${key}}" PARENT_SCOPE)
  endforeach()
endfunction()

# oddsmith_golden(NAME name STATUS status FACES face...)
function(oddsmith_golden)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;STATUS" "FACES")
  if(NOT arg_NAME OR NOT arg_STATUS MATCHES "^[0-9]+$" OR NOT arg_FACES)
    message(FATAL_ERROR "oddsmith_golden(${ARGV}): needs NAME, a numeric STATUS and FACES")
  endif()
  # A misspelt face would silently drop the session from that face.
  foreach(face IN LISTS arg_FACES)
    if(NOT face IN_LIST ODDSMITH_GOLDEN_FACES)
      message(FATAL_ERROR "oddsmith_golden(${arg_NAME}): unknown face '${face}'")
    endif()
  endforeach()
  if(NOT ODDSMITH_GOLDEN_FACE)
    message(FATAL_ERROR "oddsmith_golden(${arg_NAME}): no face; call oddsmith_golden_face() first")
  endif()
  if(NOT ODDSMITH_GOLDEN_FACE IN_LIST arg_FACES)
    return()
  endif()

  set(sessions ${PROJECT_SOURCE_DIR}/tests/golden)
  set(script ${sessions}/${arg_NAME}.script)
  if(NOT EXISTS ${script})
    message(FATAL_ERROR "oddsmith_golden(${arg_NAME}): no ${script}")
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/golden/${ODDSMITH_GOLDEN_FACE}/${arg_NAME})
  set(defines)
  foreach(define IN LISTS ODDSMITH_GOLDEN_DEFINES)
    list(APPEND defines -D${define})
  endforeach()
  set(test ${ODDSMITH_GOLDEN_PREFIX}${arg_NAME})
  add_test(NAME ${test}
    COMMAND ${CMAKE_COMMAND} ${defines} -DSCRIPT=${script}
            -DEXPECTED=${sessions}/${arg_NAME}.expected -DSTATUS=${arg_STATUS}
            -DDIR=${dir} -DOUT=${dir}.out -P ${ODDSMITH_GOLDEN_SCRIPT})
  if(ODDSMITH_GOLDEN_PROPERTIES)
    set_tests_properties(${test} PROPERTIES ${ODDSMITH_GOLDEN_PROPERTIES})
  endif()
  if(ODDSMITH_GOLDEN_ENVIRONMENT)
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "${ODDSMITH_GOLDEN_ENVIRONMENT}")
  endif()
  if(ODDSMITH_GOLDEN_COPY_PROPERTIES)
    # Read at configure time: a script that gains or loses a copy line configures again.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${script})
    file(STRINGS ${script} copies REGEX "^copy")
    if(copies)
      set_tests_properties(${test} PROPERTIES ${ODDSMITH_GOLDEN_COPY_PROPERTIES})
    endif()
  endif()
endfunction()
