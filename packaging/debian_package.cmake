# The Debian package: `cmake --build build --target package` turns the
# install rules into linewarden_<version>-<release>_<arch>.deb, installed
# under /usr. Its library dependencies come from dpkg-shlibdeps (dpkg-dev);
# the ones listed here are loaded at run time and so invisible to it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linewarden)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Linewarden developers")
set(CPACK_PACKAGE_CONTACT "Linewarden developers <linewarden@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The program is built with debugging information; the package carries it
# stripped.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://linewarden.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time: the Liberation fonts stand in for the fonts the
# graphs name, Qt SQL's SQLite driver keeps the history, and the browser
# engine runs its pages in QtWebEngineProcess (the engine's library brings
# its resources but not that program). The xcb and offscreen platforms come
# with libqt6gui6, which the libraries already pull in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6sql6-sqlite, libqt6webenginecore6-bin")
# Desktop notifications need a session bus; without one the tray shows them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "default-dbus-session-bus | dbus-session-bus")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary line, then the extended description (CPack indents it and
# turns the empty lines into " .").
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor for the ADSL line of a home router")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Linewarden watches the ADSL line of a Home Hub router (Type A or Type B).
The router shows its line figures only on its own web pages, so Linewarden
shows those pages in a built-in browser and, every sample interval, reads
the noise margins, sync speeds, uptime and two figures of the user's choice
(output power, attenuation, error seconds, FEC, CRC or HEC errors).

Every sample is plotted on time graphs, appended to a CSV log, stored in an
SQLite history and checked for line drops and resyncs; graph pictures are
captured as JPEG files, and a small web server publishes a noise-margin
picture and the line figures for Prometheus at /metrics.

It runs as a desktop program, or without windows as a systemd user service
(linewarden --headless). A built-in simulated router (linewarden --demo)
shows it at work without a router.")

include(CPack)
