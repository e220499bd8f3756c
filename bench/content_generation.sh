#!/usr/bin/env bash
# Times the content generation: makes the whole set (full, or small with --small) from scratch
# into a temporary run tree and prints each asset's wall and CPU seconds, the depth recording
# summed, and the totals. CPU seconds are the asset's own and stay meaningful on a busy machine.
#   bench/content_generation.sh [--small] [--jobs N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
gen=${VELLUNA_BUILD_DIR:-$root/build}/content/velluna-content
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
log=$out/log
/usr/bin/time -f "process: %e s wall, %U s user, %S s system, %M KiB peak" "$gen" --out "$out/show" "$@" >"$log" 2>"$out/time"
awk '
  /wrote/ {
    path = $4; bytes = $5; sub(/\(/, "", bytes); wall = $7; cpu = $9
    if (path ~ /\/3\//) { dn++; dwall += wall; dcpu += cpu; dbytes += bytes; next }
    printf "%-44s %12d bytes %7.2f s wall %6.2f s cpu\n", path, bytes, wall, cpu
  }
  /made,/ { summary = $0 }
  END {
    printf "%-44s %12d bytes %7.2f s wall %6.2f s cpu\n", "newresources/3/ (" dn " files)", dbytes, dwall, dcpu
    print summary
  }' "$log"
cat "$out/time"
