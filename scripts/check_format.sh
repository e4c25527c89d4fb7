#!/usr/bin/env bash
# Fails when a C++ source of ours is not laid out as .clang-format says.
#
#   scripts/check_format.sh [TOP_DIR]
set -euo pipefail

top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top"
mapfile -d '' files < <(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if clang-format --dry-run -Werror "${files[@]}" 2>"$report"; then
  exit 0
fi
grep -E '^[^ ].*: error:' "$report" | cut -d: -f1 | sort -u | sed 's/$/: not formatted (run clang-format -i)/' >&2
exit 1
