#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for
# SECONDS on its corpus (build-fuzz/corpus/<target>, grown from the seeds in
# fuzz/seeds/<target> and the sample pages). A crash stops with a failure and
# leaves the input in build-fuzz/artifacts/; copy it into fuzz/seeds/<target>
# so every later run replays it first, and add a test for the fix.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     (default: every target)
set -euo pipefail

seconds=${1:-}
[[ "$seconds" =~ ^[0-9]+$ ]] && [ "$seconds" -ge 1 ] || { echo "usage: $0 SECONDS [TARGET...]" >&2; exit 2; }
shift
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

# Every target.
all_targets=(hub_a_reader_fuzz hub_b_reader_fuzz ini_file_fuzz date_time_pattern_fuzz url_rules_fuzz
  simulated_router_fuzz web_server_handler_fuzz line_events_file_fuzz jpeg_decode_fuzz)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DLINEWARDEN_BUILD_FUZZ=ON -DLINEWARDEN_BUILD_GUI=OFF -DLINEWARDEN_BUILD_TESTS=OFF \
  -DLINEWARDEN_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

# The seed files of a target, as patterns.
seeds_of() {
  echo "fuzz/seeds/${1%_fuzz}/*"
  case "$1" in
    hub_a_reader_fuzz | hub_b_reader_fuzz) echo "resources/samples/*" ;;
    jpeg_decode_fuzz) echo "resources/help/*.jpg" ;;
  esac
}

export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
mkdir -p build-fuzz/artifacts
failed=()
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  for seed in $(seeds_of "$target"); do
    [ -f "$seed" ] && cp -n "$seed" "$corpus"/ 2>/dev/null || true
  done
  echo "== $target: ${seconds}s on $(ls "$corpus" | wc -l) inputs"
  if ! "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=131072 \
      -artifact_prefix="build-fuzz/artifacts/$target-" -print_final_stats=1 "$corpus" \
      >"build-fuzz/$target.log" 2>&1; then
    failed+=("$target")
    tail -60 "build-fuzz/$target.log"
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "build-fuzz/$target.log" | tail -2 || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
  exit 1
fi
echo "fuzz: every target ran ${seconds}s without a finding"
