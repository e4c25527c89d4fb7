#!/usr/bin/env bash
# Sets up a Debian 12 machine for Linewarden, builds it and runs it.
#
#   scripts/bootstrap.sh run    install packages, build, run the program's demo
#   scripts/bootstrap.sh test   install packages, build, run the whole test suite
#   scripts/bootstrap.sh ci     test, then an install into a temporary prefix
#                               with its desktop entry and AppStream metadata
#                               validated, the Debian package built and
#                               checked by lintian, the sanitizer build and
#                               its tests (scripts/sanitize.sh) and every fuzz
#                               target for 30 s (scripts/fuzz.sh)
#
# Run as root or as a user who may use sudo; only the package installation
# needs root. The build goes to ./build.
set -euo pipefail

mode=${1:-}
case "$mode" in
  run|test|ci) ;;
  *) echo "usage: $0 run|test|ci" >&2; exit 2 ;;
esac

top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-webengine-dev libqcustomplot-dev
  libmicrohttpd-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation xvfb xauth clang-format
  prometheus
  clang libclang-rt-14-dev
  desktop-file-utils appstream
  libqt6sql6-sqlite libsqlite3-dev dbus-daemon
  dpkg-dev file lintian groff-base man-db
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== Installing: ${missing[*]}"
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

stage() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - start)) s"
}

werror=OFF
[ -n "${CI:-}" ] && werror=ON
build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINEWARDEN_WERROR=$werror
  cmake --build build -j"$(nproc)"
}
stage "Building" build

if [ "$mode" = test ]; then
  echo "== Testing"
  cd build
  exec ctest --output-on-failure --timeout 600
fi

# Installs into a temporary prefix and checks the installed desktop entry and
# AppStream metadata with their validators.
install_check() {
  local prefix
  prefix=$(mktemp -d)
  cmake --install build --prefix "$prefix"
  test -x "$prefix/bin/linewarden"
  test -f "$prefix/share/icons/hicolor/scalable/apps/linewarden.svg"
  test -f "$prefix/share/linewarden/prometheus/linewarden-alerts.yml"
  test -f "$prefix/share/linewarden/grafana/linewarden.json"
  desktop-file-validate "$prefix"/share/applications/*.desktop
  appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
  rm -rf "$prefix"
}

# Builds the Debian package and lets lintian check it; an error fails, the
# warnings the README lists as kept are shown.
package_check() {
  rm -f build/linewarden_*.deb
  cmake --build build --target package
  lintian --fail-on error --info build/linewarden_*.deb
}

if [ "$mode" = ci ]; then
  stage "Testing" ctest --test-dir build --output-on-failure --timeout 600
  stage "Installing and validating" install_check
  stage "Packaging" package_check
  stage "Sanitizer build and tests" scripts/sanitize.sh
  stage "Fuzzing, 30 s a target" scripts/fuzz.sh 30
  echo "== CI done in $SECONDS s"
  exit 0
fi

echo "== Running the demo (a simulated router on 127.0.0.1; close the window to end)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop here: run on a virtual screen.
  exec xvfb-run -a ./build/linewarden --demo
fi
exec ./build/linewarden --demo
