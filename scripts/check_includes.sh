#!/usr/bin/env bash
# Fails when an include of ours runs upward: src/base includes no other
# folder of ours, and sampling, graphs, outputs and demo never include shell.
#
#   scripts/check_includes.sh [SRC_DIR]
set -euo pipefail

src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
status=0

report() {
  echo "$1: includes $2, which lies above it" >&2
  status=1
}

check_folder() {
  local folder=$1 forbidden=$2
  [ -d "$src/$folder" ] || return 0
  while IFS= read -r hit; do
    local file=${hit%%:*} rest=${hit#*:}
    rest=${rest#*:}
    local target
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$rest")
    report "${file#"$src"/}" "$target"
  done < <(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($forbidden)/" \
             --include='*.h' --include='*.cpp' "$src/$folder" || true)
}

check_folder base 'sampling|graphs|outputs|shell|demo'
for folder in sampling graphs outputs demo; do
  check_folder "$folder" shell
done
exit $status
