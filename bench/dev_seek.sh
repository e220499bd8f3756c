#!/usr/bin/env bash
# Developer mode's seek cost, per scene: a seek to the middle of the scene from the show's start
# (the particles stepped from the scene's start, no checkpoint yet), then, paused there, a seek
# one second back (replayed from the latest checkpoint), with the checkpoints' memory. Runs
# each scene alone (--scene) in the run tree given (default build/show) at 320 x 180, under
# Xvfb; GALLIUM_NOOP=1 in the environment measures the engine's CPU cost without rendering.
#   bench/dev_seek.sh [SHOW] [Part_X ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ -z "${DISPLAY:-}" ]]; then exec "$root/scripts/xvfb-run-here" bash "$0" "$@"; fi
show=${1:-$root/build/show}
shift || true
scenes=("$@")
export SDL_AUDIODRIVER=dummy VELLUNA_SOURCE=$root
work=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill -9 $pid 2>/dev/null; rm -rf "$work"' EXIT
cd "$show/bin"
fail() { echo "dev_seek: $*" >&2; exit 1; }
./velluna --capture "$work/plan" --placeholders --fps 60 --frames 1 --size 64x36 >"$work/plan.log" 2>&1 || fail "no plan"
spans=$(sed -n 's/^capture: \(Part_[A-Za-z]*\) (placeholder) *frames *\([0-9]*\)- *\([0-9]*\) .*/\1 \2 \3/p' "$work/plan.log")
[[ ${#scenes[@]} -gt 0 ]] || mapfile -t scenes < <(awk '{ print $1 }' <<<"$spans")
waitSeconds=1200
source "$root/tests/dev/dev_helpers.sh"
detail() { sed -n 's/.*(\(.*\))$/\1/p' <<<"$1"; }
printf '%-28s %9s  %-44s  %-44s\n' scene middle "to the middle, from the scene's start" "1 s back, from a checkpoint"
for scene in "${scenes[@]}"; do
    read -r first end < <(awk -v s="$scene" '$1 == s { print $2, $3 }' <<<"$spans")
    mid=$(awk -v a="$first" -v b="$end" 'BEGIN { printf "%.3f", (a + b) / 120 }')
    log=$work/$scene.log
    ./velluna --dev --windowed 320x180 --scene "$scene" --from "$mid" >"$log" 2>&1 &
    pid=$!
    waitLine 1
    from=$(grep '^dev: from' "$log" | head -1)
    press space >/dev/null
    back=$(press shift+Left)
    kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
    printf '%-28s %9s  %-44s  %-44s\n' "$scene" "$mid" "$(detail "$from" | cut -d';' -f1)" "$(detail "$back")"
done
