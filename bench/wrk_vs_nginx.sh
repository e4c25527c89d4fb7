#!/usr/bin/env bash
# Requests per second and 99th percentile latency for noise.jpg, from our web
# server (bench/serve_folder) and from nginx serving the same file on the
# same machine. The two take turns three times (ours, nginx, ours, nginx,
# ours, nginx) with the same wrk settings, so a busy spell of the machine
# hurts both rather than one; each round prints both figures and the ratios,
# and the end tells whether the medians of the ratios meet the goals: at
# least 0.9 of nginx's requests per second, at most 1.2 times its 99th
# percentile latency.
#
# Run by hand, not in CI. Needs the Debian packages wrk and nginx-light:
#   apt-get install wrk nginx-light
#   bench/wrk_vs_nginx.sh [build folder] [seconds per round]
#
# Fairness: nginx runs 2 worker processes, our server its 2 worker threads
# (one per core of the 2-core machine this was tuned on); wrk uses 2
# threads and 64 keep-alive connections against both.
set -euo pipefail

build=${1:-build}
seconds=${2:-10}
rounds=3
threads=2
connections=64
work=$(mktemp -d)
trap 'kill "${ours:-}" "${theirs:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

for tool in wrk nginx; do
  command -v "$tool" >/dev/null || {
    echo "$tool is missing: apt-get install wrk nginx-light" >&2
    exit 2
  }
done

mkdir -p "$work/WebServer" "$work/nginx"
# The picture to serve: NOISE_JPG when given, otherwise 30 000 bytes of
# noise under that name (the server does not look inside).
if [ -n "${NOISE_JPG:-}" ]; then
  cp "$NOISE_JPG" "$work/WebServer/noise.jpg"
else
  head -c 30000 /dev/urandom >"$work/WebServer/noise.jpg"
fi

# nginx's workers run as another user: let them read the folder.
chmod 755 "$work" "$work/WebServer"
chmod 644 "$work/WebServer/noise.jpg"

ours_port=18081
nginx_port=18082
"$build/bench/serve_folder" "$work/WebServer" $ours_port 2>/dev/null &
ours=$!

cat >"$work/nginx/nginx.conf" <<CONF
worker_processes $threads;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 1024; }
http {
  access_log off;
  sendfile on;
  types { image/jpeg jpg; }
  client_body_temp_path $work/nginx;
  proxy_temp_path $work/nginx;
  fastcgi_temp_path $work/nginx;
  uwsgi_temp_path $work/nginx;
  scgi_temp_path $work/nginx;
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/WebServer;
  }
}
CONF
nginx -c "$work/nginx/nginx.conf" -g 'daemon off;' &
theirs=$!
sleep 1

# One wrk run; prints "requests-per-second p99-in-milliseconds".
measure() {
  wrk -t$threads -c$connections -d"${seconds}s" --latency "http://127.0.0.1:$1/noise.jpg" >"$work/wrk.out"
  # Error replies or broken connections make the figures meaningless.
  grep -E 'Non-2xx|Socket errors' "$work/wrk.out" >&2 || true
  awk '
    /^Requests\/sec:/ { rps = $2 }
    $1 == "99%" {
      v = $2
      if (v ~ /us$/) { sub(/us$/, "", v); ms = v / 1000 }
      else if (v ~ /ms$/) { sub(/ms$/, "", v); ms = v }
      else if (v ~ /m$/) { sub(/m$/, "", v); ms = v * 60000 }
      else if (v ~ /s$/) { sub(/s$/, "", v); ms = v * 1000 }
    }
    END { printf "%.0f %.2f\n", rps, ms }' "$work/wrk.out"
}

# Warm both up once, off the record.
wrk -t$threads -c$connections -d2s "http://127.0.0.1:$ours_port/noise.jpg" >/dev/null
wrk -t$threads -c$connections -d2s "http://127.0.0.1:$nginx_port/noise.jpg" >/dev/null

echo "wrk -t$threads -c$connections -d${seconds}s, noise.jpg of $(stat -c %s "$work/WebServer/noise.jpg") bytes;$(uptime | sed 's/.*load/ load/')"
printf '%-6s %12s %12s %10s %10s %9s %9s\n' round "ours req/s" "nginx req/s" "ours p99" "nginx p99" "rps ratio" "p99 ratio"
rps_ratios=()
p99_ratios=()
for round in $(seq 1 $rounds); do
  read -r ours_rps ours_p99 < <(measure $ours_port)
  read -r nginx_rps nginx_p99 < <(measure $nginx_port)
  rps_ratio=$(awk -v a="$ours_rps" -v b="$nginx_rps" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
  p99_ratio=$(awk -v a="$ours_p99" -v b="$nginx_p99" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 99) }')
  rps_ratios+=("$rps_ratio")
  p99_ratios+=("$p99_ratio")
  printf '%-6s %12s %12s %8sms %8sms %9sx %9sx\n' "$round" "$ours_rps" "$nginx_rps" "$ours_p99" "$nginx_p99" \
    "$rps_ratio" "$p99_ratio"
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
rps_median=$(median "${rps_ratios[@]}")
p99_median=$(median "${p99_ratios[@]}")
verdict() { awk -v v="$1" -v goal="$2" -v sense="$3" 'BEGIN {
  ok = sense == "min" ? v >= goal : v <= goal; print ok ? "met" : "NOT met" }'; }
echo "median ours/nginx req/s: ${rps_median}x (goal >= 0.9: $(verdict "$rps_median" 0.9 min))"
echo "median ours/nginx p99:   ${p99_median}x (goal <= 1.2: $(verdict "$p99_median" 1.2 max))"
