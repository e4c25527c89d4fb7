#!/usr/bin/env bash
# CPU per sample of the program as a ratio to the browser engine's floor:
# scripts/soak.sh measures, one after the other, the bare engine with its
# view shown, the program with the router's page shown, the bare engine
# with its view on a hidden tab, and the program with the noise margin
# graph shown; then prints each pair's ratio (goal: at most 1.1).
#
#   bench/engine_floor.sh [MINUTES] [--type A|B] [--sample SECONDS]
#
# MINUTES per run (default 3; the first minute of each is start-up and not
# counted). Needs build/linewarden and build/bench/engine_floor.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-3}
shift || true
extra=("$@")

# CPU per sample in ms and the last PSS in MB of one soak run.
run() {
  local out
  out=$("$top/scripts/soak.sh" "$minutes" "${extra[@]}" "$@")
  printf '%s\n' "$out" >&2
  local cpu pss
  cpu=$(printf '%s\n' "$out" | awk '/CPU per sample:/ {print $4}')
  pss=$(printf '%s\n' "$out" | awk '/PSS growth per sample:/ {print $(NF - 1)}')
  echo "${cpu:-nan} ${pss:-nan}"
}

read -r floor_shown floor_shown_pss < <(run --floor)
read -r ours_shown ours_shown_pss < <(run --page 0)
read -r floor_hidden floor_hidden_pss < <(run --floor --hidden)
read -r ours_hidden ours_hidden_pss < <(run --page 1)

ratio() { awk "BEGIN { if ($2 > 0) printf \"%.2f\", $1 / $2; else print \"nan\" }"; }
echo "== Engine floor (CPU per sample, ms; PSS at the end, MB)"
printf '%-26s %8s %8s %8s %8s %7s\n' "" floor_ms ours_ms floor_mb ours_mb ratio
printf '%-26s %8s %8s %8s %8s %7s\n' "router page shown" "$floor_shown" "$ours_shown" \
  "$floor_shown_pss" "$ours_shown_pss" "$(ratio "$ours_shown" "$floor_shown")"
printf '%-26s %8s %8s %8s %8s %7s\n' "graph tab shown" "$floor_hidden" "$ours_hidden" \
  "$floor_hidden_pss" "$ours_hidden_pss" "$(ratio "$ours_hidden" "$floor_hidden")"
