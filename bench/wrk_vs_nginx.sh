#!/usr/bin/env bash
# Requests per second and latency for noise.jpg, from our web server and
# from nginx serving the same file on the same machine, one after the other.
# Needs the Debian packages wrk and nginx-light (not installed by
# bootstrap.sh; this is run by hand):
#   bench/wrk_vs_nginx.sh [build folder] [seconds]
set -euo pipefail

build=${1:-build}
seconds=${2:-10}
work=$(mktemp -d)
trap 'kill "${ours:-}" "${theirs:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir -p "$work/WebServer" "$work/nginx"
# The picture to serve: NOISE_JPG when given, otherwise 30 000 bytes of
# noise under that name (the server does not look inside).
if [ -n "${NOISE_JPG:-}" ]; then
  cp "$NOISE_JPG" "$work/WebServer/noise.jpg"
else
  head -c 30000 /dev/urandom > "$work/WebServer/noise.jpg"
fi

# nginx's workers run as another user: let them read the folder.
chmod 755 "$work" "$work/WebServer"
chmod 644 "$work/WebServer/noise.jpg"

ours_port=18081
nginx_port=18082
"$build/bench/serve_folder" "$work/WebServer" $ours_port & ours=$!

cat > "$work/nginx/nginx.conf" <<CONF
worker_processes 2;
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
nginx -c "$work/nginx/nginx.conf" -g 'daemon off;' & theirs=$!
sleep 1

for target in "ours $ours_port" "nginx $nginx_port"; do
  set -- $target
  echo "== $1"
  wrk -t2 -c64 -d"${seconds}s" --latency "http://127.0.0.1:$2/noise.jpg"
done
