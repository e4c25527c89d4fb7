#!/usr/bin/env bash
# Fails when the includes between the folders of src/ break the layering:
# src/base includes no other folder of ours, no folder includes shell, and
# the folders never include each other in a cycle, of any length (a
# includes b, b includes c, c includes a). The folders are whatever
# src/ holds; the edges are read from the includes themselves.
#
#   scripts/check_includes.sh [SRC_DIR]
set -euo pipefail

src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
status=0

mapfile -t folders < <(find "$src" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)

# Every include of another folder of ours, as "file<TAB>from<TAB>to".
includes() {
  local folder
  for folder in "${folders[@]}"; do
    grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' \
      --include='*.h' --include='*.cpp' "$src/$folder" 2>/dev/null |
      sed -E 's/^([^:]*):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"/]+)\/.*/\1\t'"$folder"'\t\2/' || true
  done | while IFS=$'\t' read -r file from to; do
    [ "$to" != "$from" ] && [ -d "$src/$to" ] && printf '%s\t%s\t%s\n' "$file" "$from" "$to"
  done || true
}
edges=$(includes)

while IFS=$'\t' read -r file from to; do
  [ -n "$file" ] || continue
  if [ "$from" = base ] || [ "$to" = shell ]; then
    echo "${file#"$src"/}: includes $to, which lies above it" >&2
    status=1
  fi
done <<<"$edges"

# A depth-first walk over the folder graph; an edge back to a folder still
# on the walk's path closes a cycle, which is printed as that path.
cycles=$(cut -f2,3 <<<"$edges" | sort -u | awk -F'\t' '
  NF == 2 { out[$1] = out[$1] " " $2; nodes[$1]; nodes[$2] }
  function visit(node,    n, i, next_, k, path) {
    state[node] = 1
    stack[++depth] = node
    n = split(out[node], next_, " ")
    for (i = 1; i <= n; ++i) {
      if (state[next_[i]] == 1) {
        path = ""
        for (k = depth; stack[k] != next_[i]; --k) {}
        for (; k <= depth; ++k) path = path stack[k] " -> "
        print path next_[i]
      } else if (state[next_[i]] == 0) {
        visit(next_[i])
      }
    }
    --depth
    state[node] = 2
  }
  END { for (node in nodes) if (state[node] == 0) visit(node) }')
if [ -n "$cycles" ]; then
  while IFS= read -r cycle; do
    echo "the folders include each other in a cycle: $cycle" >&2
  done <<<"$cycles"
  status=1
fi
exit $status
