#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/, and runs every test that needs
# no browser engine (the windows' tests run over a stand-in browser view):
# any sanitizer report fails its test. The tests labelled "engine" start the
# browser engine, a program of its own not built with the sanitizers; they
# run in the main build only.
#
#   scripts/sanitize.sh [CTEST_ARGS...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINEWARDEN_WERROR=$werror \
  -DLINEWARDEN_SANITIZE=ON -DLINEWARDEN_BUILD_GUI=ON -DLINEWARDEN_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-asan -j"$(nproc)"
cd build-asan
ctest --output-on-failure --timeout 900 -j"$(nproc)" -LE engine "$@"
