#!/usr/bin/env bash
# CPU per sample of the program as a ratio to the browser engine's floor.
# Each round runs four measurements of scripts/soak.sh at the same time, so
# that each pair meets the same state of the machine: the bare engine with
# its view shown against the program with the router's page shown, and the
# bare engine with its view on a hidden tab against the program with the
# noise margin graph shown. Prints every round's figures and ratios, then
# the median ratio of the rounds (goal: at most 1.1).
#
#   bench/engine_floor.sh [MINUTES] [--rounds N] [--type A|B] [--sample SECONDS]
#                         [--page-points N]
#
# MINUTES per round (default 3; the first minute is start-up and not
# counted), N rounds (default 3). --page-points 30 measures the graph's
# steady state, a full page scrolled at every sample. Needs build/linewarden and
# build/bench/engine_floor.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
minutes=3
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  minutes=$1
  shift
fi
rounds=3
extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds=${2:-}; shift 2 ;;
    *) extra+=("$1"); shift ;;
  esac
done
[[ "$rounds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [MINUTES] [--rounds N] [--type A|B] [--sample SECONDS] [--page-points N]" >&2; exit 2; }

work=$(mktemp -d /tmp/linewarden-floor.XXXXXX)
trap 'rm -rf "$work"' EXIT

# "CPU_MS PSS_MB" of one finished soak run's output.
figures() {
  awk '/CPU per sample:/ {cpu = $4} /PSS growth per sample:/ {pss = $(NF - 1)}
       END {print (cpu == "" ? "nan" : cpu), (pss == "" ? "nan" : pss)}' "$1"
}
ratio() { awk "BEGIN { if ($2 > 0) printf \"%.2f\", $1 / $2; else print \"nan\" }"; }
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }

runs=("--floor" "--page 0" "--floor --hidden" "--page 1")
shown_ratios=()
hidden_ratios=()
for ((r = 1; r <= rounds; r++)); do
  pids=()
  for i in "${!runs[@]}"; do
    # shellcheck disable=SC2086 # each entry is a list of options
    "$top/scripts/soak.sh" "$minutes" "${extra[@]}" ${runs[$i]} >"$work/$r.$i" 2>&1 &
    pids+=($!)
  done
  for p in "${pids[@]}"; do
    wait "$p" || { echo "engine_floor: a run of round $r failed:" >&2; cat "$work/$r".* >&2; exit 1; }
  done
  read -r floor_shown floor_shown_pss < <(figures "$work/$r.0")
  read -r ours_shown ours_shown_pss < <(figures "$work/$r.1")
  read -r floor_hidden floor_hidden_pss < <(figures "$work/$r.2")
  read -r ours_hidden ours_hidden_pss < <(figures "$work/$r.3")
  shown_ratios+=("$(ratio "$ours_shown" "$floor_shown")")
  hidden_ratios+=("$(ratio "$ours_hidden" "$floor_hidden")")
  echo "== Round $r of $rounds (CPU per sample, ms; PSS at the end, MB)"
  printf '%-20s %8s %8s %8s %8s %7s\n' "" floor_ms ours_ms floor_mb ours_mb ratio
  printf '%-20s %8s %8s %8s %8s %7s\n' "router page shown" "$floor_shown" "$ours_shown" \
    "$floor_shown_pss" "$ours_shown_pss" "${shown_ratios[-1]}"
  printf '%-20s %8s %8s %8s %8s %7s\n' "graph tab shown" "$floor_hidden" "$ours_hidden" \
    "$floor_hidden_pss" "$ours_hidden_pss" "${hidden_ratios[-1]}"
done
echo "== Median ratio over $rounds rounds (goal: at most 1.1)"
echo "router page shown: $(printf '%s\n' "${shown_ratios[@]}" | median)"
echo "graph tab shown:   $(printf '%s\n' "${hidden_ratios[@]}" | median)"
