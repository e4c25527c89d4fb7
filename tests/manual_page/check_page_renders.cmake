# Formats PAGE as man(1) does, with every groff warning on; any message
# fails, as lintian's manual page check would.
find_program(GROFF groff REQUIRED)
execute_process(COMMAND ${GROFF} -man -Tutf8 -ww -z ${PAGE}
  RESULT_VARIABLE result ERROR_VARIABLE messages)
if(NOT result EQUAL 0 OR NOT messages STREQUAL "")
  message(FATAL_ERROR "groff on ${PAGE} (status ${result}):\n${messages}")
endif()
