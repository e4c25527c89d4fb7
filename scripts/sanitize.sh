#!/usr/bin/env bash
# Builds the core library and every test that needs no browser engine with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, and runs
# them: any sanitizer report fails its test.
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
  -DLINEWARDEN_SANITIZE=ON -DLINEWARDEN_BUILD_GUI=OFF -DLINEWARDEN_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-asan -j"$(nproc)"
cd build-asan
ctest --output-on-failure --timeout 900 -j"$(nproc)" "$@"
