# Installs the build into PREFIX and checks the user unit: it is where
# `systemctl --user` looks, starts the installed program without windows,
# and is restarted after a failure but not after status 2. The unit names
# the program under PREFIX, wherever the build was configured to install.
include(${CMAKE_CURRENT_LIST_DIR}/install_into_prefix.cmake)
if(NOT EXISTS ${PREFIX}/bin/linewarden)
  message(FATAL_ERROR "the program was not installed in ${PREFIX}/bin")
endif()
set(unit ${PREFIX}/lib/systemd/user/linewarden.service)
if(NOT EXISTS ${unit})
  message(FATAL_ERROR "no ${unit}")
endif()
file(READ ${unit} text)
foreach(line "ExecStart=${PREFIX}/bin/linewarden --headless" "Restart=on-failure" "RestartPreventExitStatus=2"
    "KillSignal=SIGTERM" "WantedBy=default.target")
  string(FIND "${text}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${unit} lacks the line ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
