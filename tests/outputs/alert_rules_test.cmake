# Checks the alert rules and runs their unit tests with promtool:
#
#   cmake -DRULES_DIR=<packaging/prometheus> -P alert_rules_test.cmake
#
# Without promtool the test is skipped (CTest reads the SKIPPED line), except
# under CI (CI set), where scripts/bootstrap.sh always installs it and a
# skip would hide a broken rule.
find_program(PROMTOOL promtool)
if(NOT PROMTOOL)
  if(DEFINED ENV{CI})
    message(FATAL_ERROR "promtool is not installed, under CI (Debian package prometheus)")
  endif()
  message("SKIPPED: promtool is not installed (Debian package prometheus; scripts/bootstrap.sh installs it)")
  return()
endif()
foreach(run "check;rules;linewarden-alerts.yml" "test;rules;linewarden-alerts.test.yml")
  execute_process(COMMAND ${PROMTOOL} ${run} WORKING_DIRECTORY ${RULES_DIR} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " run "${run}")
    message(FATAL_ERROR "promtool ${run} failed: ${result}")
  endif()
endforeach()
