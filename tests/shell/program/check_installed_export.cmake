# Installs the build into PREFIX and runs the installed program's
# --export-history without --data-dir: an installed program keeps its files
# in the per-user data folder, $XDG_DATA_HOME/Linewarden, and the export
# looks for the history there.
include(${CMAKE_CURRENT_LIST_DIR}/install_into_prefix.cmake)
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LINEWARDEN_HOME XDG_DATA_HOME=${PREFIX}/data
    ${PREFIX}/bin/linewarden --export-history ${PREFIX}/history.csv
  RESULT_VARIABLE result ERROR_VARIABLE messages)
set(expected "${PREFIX}/data/Linewarden/history.sqlite does not exist")
string(FIND "${messages}" "${expected}" at)
if(NOT result EQUAL 2 OR at EQUAL -1)
  message(FATAL_ERROR "expected status 2 and \"${expected}\", got ${result}: ${messages}")
endif()
file(REMOVE_RECURSE ${PREFIX})
