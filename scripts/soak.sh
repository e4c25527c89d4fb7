#!/usr/bin/env bash
# Runs the real program against its simulated router for a long time and
# watches it: every minute one line with the samples taken, the resident
# (RSS) and proportional (PSS) memory of the whole process tree (the browser
# engine's processes included) and the CPU time the tree has used.
#
#   scripts/soak.sh MINUTES [--sample SECONDS] [--type A|B] [--page N]
#                           [--page-points N]
#                           [--pause-at MINUTE --pause-for MINUTES]
#   scripts/soak.sh MINUTES --floor [--hidden] [--sample SECONDS] [--type A|B]
#
# --sample     the sample interval (default 1 s)
# --page       the tab shown: 0 the router's page (default), 1 the noise
#              margin graph, ...
# --page-points points per graph page (default the program's, 480); a page
#              full scrolls by a point at every sample, so a short page
#              measures that steady state within the first minute
# --floor      measures build/bench/engine_floor instead of the program: a
#              bare browser view loading the statistics page every interval,
#              what the engine costs whatever the program does (--hidden:
#              with the view on a tab not shown)
# --pause-at   pauses sampling at that minute for --pause-for minutes, to
#              measure what a paused program costs
#
# Uses build/linewarden (LINEWARDEN_BIN names another) on the offscreen
# platform, with its files in a fresh temporary folder. Ends with a summary:
# memory growth and CPU per sample while running, CPU per minute while paused.
set -euo pipefail

usage() {
  echo "usage: $0 MINUTES [--sample SECONDS] [--type A|B] [--page N] [--page-points N] [--pause-at MINUTE --pause-for MINUTES] [--floor [--hidden]]" >&2
  exit 2
}

minutes=${1:-}
[[ "$minutes" =~ ^[0-9]+$ ]] && [ "$minutes" -ge 1 ] || usage
shift
sample=1
type=A
pause_at=0
pause_for=0
page=0
page_points=""
floor=0
hidden=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sample) sample=${2:-}; shift 2 ;;
    --type) type=${2:-}; shift 2 ;;
    --pause-at) pause_at=${2:-}; shift 2 ;;
    --pause-for) pause_for=${2:-}; shift 2 ;;
    --page) page=${2:-}; shift 2 ;;
    --page-points) page_points=${2:-}; shift 2 ;;
    --floor) floor=1; shift ;;
    --hidden) hidden=1; shift ;;
    *) usage ;;
  esac
done

top=$(cd "$(dirname "$0")/.." && pwd)
bin=${LINEWARDEN_BIN:-$top/build/linewarden}
[ "$floor" -eq 1 ] && bin=${ENGINE_FLOOR_BIN:-$top/build/bench/engine_floor}
[ -x "$bin" ] || { echo "soak: $bin not built (cmake --build build)" >&2; exit 2; }
[[ "$page" =~ ^[0-9]+$ ]] || usage
[ -z "$page_points" ] || [[ "$page_points" =~ ^[1-9][0-9]*$ ]] || usage

work=$(mktemp -d /tmp/linewarden-soak.XXXXXX)
pause_file=$work/pause
data=$work/data
mkdir -p "$data"

export LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export LINEWARDEN_DEMO_PAUSE_FILE=$pause_file
if [ "$floor" -eq 1 ]; then
  # The floor appends a line per page loaded; the log has two header lines.
  printf 'floor\nfloor\n' > "$data/log.txt"
  hide=()
  [ "$hidden" -eq 1 ] && hide=(--hidden)
  "$bin" --count-file "$data/log.txt" --type "$type" --sample "$sample" "${hide[@]}" 2>"$work/stderr.txt" &
else
  # The tab shown at start comes from the settings file.
  printf '[LW-BT]\nPage=%s\n' "$page" > "$data/$(basename "$bin").ini"
  [ -z "$page_points" ] || printf 'PointsperPage=%s\n' "$page_points" >> "$data/$(basename "$bin").ini"
  "$bin" --demo "$type" --sample "$sample" --data-dir "$data" 2>"$work/stderr.txt" &
fi
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

# Every process of the tree under the program, the program first.
tree() {
  local queue=("$pid") out=() p kids
  while [ ${#queue[@]} -gt 0 ]; do
    p=${queue[0]}
    queue=("${queue[@]:1}")
    [ -d "/proc/$p" ] || continue
    out+=("$p")
    kids=$(cat /proc/"$p"/task/*/children 2>/dev/null || true)
    for k in $kids; do queue+=("$k"); done
  done
  echo "${out[@]}"
}

# "RSS_KB PSS_KB CPU_TICKS" summed over the tree; CPU counts each process's
# own time and that of the children it has reaped.
measure() {
  local rss=0 pss=0 ticks=0 p
  for p in $(tree); do
    if [ -r "/proc/$p/smaps_rollup" ]; then
      read -r r s < <(awk '/^Rss:/ {r=$2} /^Pss:/ {s=$2} END {print r+0, s+0}' "/proc/$p/smaps_rollup")
      rss=$((rss + r)); pss=$((pss + s))
    fi
    if [ -r "/proc/$p/stat" ]; then
      # Fields after the command name: utime stime cutime cstime are 14-17.
      t=$(sed 's/^.*) //' "/proc/$p/stat" | awk '{print $12 + $13 + $14 + $15}')
      ticks=$((ticks + t))
    fi
  done
  echo "$rss $pss $ticks"
}

samples() {
  local log=$data/log.txt
  [ -f "$log" ] || { echo 0; return; }
  local n
  n=$(wc -l < "$log")
  echo $((n > 2 ? n - 2 : 0))
}

hz=$(getconf CLK_TCK)
calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }
echo "soak: $bin type $type, sample $sample s, page $page, floor $floor hidden $hidden, for $minutes min, files in $work"
printf '%6s %8s %7s %9s %9s %9s %s\n' minute samples +new rss_mb pss_mb cpu_s state
start=$(date +%s)
run_first="" run_last="" pause_first="" pause_last="" prev_state="" prev_row="" last_n=0
for ((m = 1; m <= minutes; m++)); do
  state=running
  if [ "$pause_for" -gt 0 ] && [ "$m" -gt "$pause_at" ] && [ "$m" -le $((pause_at + pause_for)) ]; then
    state=paused
    touch "$pause_file"
  else
    rm -f "$pause_file"
  fi
  # Sleep until the end of this minute of the run.
  now=$(date +%s)
  sleep $((start + m * 60 - now))
  kill -0 "$pid" 2>/dev/null || { echo "soak: the program ended early"; cat "$work/stderr.txt"; exit 1; }
  read -r rss pss ticks < <(measure)
  n=$(samples)
  printf '%6d %8d %7d %9.1f %9.1f %9.1f %s\n' "$m" "$n" $((n - last_n)) \
    "$(calc "$rss / 1024")" "$(calc "$pss / 1024")" "$(calc "$ticks / $hz")" "$state"
  last_n=$n
  row="$m $n $pss $ticks"
  # Running figures count from the end of the first minute (the start-up).
  if [ "$state" = running ]; then
    [ -z "$run_first" ] && run_first="$row"
    run_last="$row"
  else
    [ -z "$pause_first" ] && pause_first="$prev_row"
    pause_last="$row"
  fi
  prev_state=$state
  prev_row=$row
done

echo "== Summary"
read -r m0 n0 p0 t0 <<<"$run_first"
read -r m1 n1 p1 t1 <<<"$run_last"
paused_samples=0
if [ -n "$pause_first" ]; then
  read -r pm0 pn0 pp0 pt0 <<<"$pause_first"
  read -r pm1 pn1 pp1 pt1 <<<"$pause_last"
  paused_samples=$((pn1 - pn0))
  paused_ticks=$((pt1 - pt0))
  echo "paused $((pm1 - pm0)) min: $paused_samples samples, CPU $(calc "$paused_ticks / $hz / ($pm1 - $pm0)") s per minute"
else
  paused_ticks=0
fi
running_samples=$((n1 - n0 - paused_samples))
if [ "$running_samples" -gt 0 ]; then
  echo "running: $running_samples samples from minute $m0 to $m1"
  echo "  PSS growth per sample: $(calc "($p1 - $p0) / $running_samples") KB (PSS $((p0 / 1024)) -> $((p1 / 1024)) MB)"
  echo "  CPU per sample: $(calc "($t1 - $t0 - $paused_ticks) * 1000 / $hz / $running_samples") ms"
fi
