#!/usr/bin/env bash
# Scenes don't disturb each other: for every pair of neighbours A -> B in play order, B's first
# frames captured right after A's last frames were drawn (the whole show loaded) equal B's
# first frames captured with B alone loaded. Small content set, 160 x 90, 2 fps.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -d $show/newresources/walkers2 ]] || fail "no run tree in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$show/bin"
run() {  # log, args...
    local log=$1; shift
    local rc=0
    timeout -k 10 900 ./velluna --fps 2 --size 160x90 "$@" >"$work/$log" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { tail -20 "$work/$log"; fail "exit code $rc for $*"; }
}

# Where each scene starts at 2 fps (frame numbers), from the plan a capture prints.
run plan.log --capture "$work/plan" --frames 1
sed -n 's/^capture: \(Part_[A-Za-z]*\) *frames *\([0-9]*\)-.*/\1 \2/p' "$work/plan.log" >"$work/starts"
[[ $(wc -l <"$work/starts") -eq 10 ]] || fail "not ten scenes in the plan"

previous=""
while read -r scene first; do
    if [[ -n $previous ]]; then
        # A's last two frames, then B's first two; from/to in demo seconds at 2 fps.
        from=$(awk -v f="$first" 'BEGIN { printf "%.3f", (f - 2) / 2 - 0.01 }')
        to=$(awk -v f="$first" 'BEGIN { printf "%.3f", (f + 2) / 2 - 0.01 }')
        run "pair_$scene.log" --capture "$work/pair_$scene" --from "$from" --to "$to"
        run "alone_$scene.log" --capture "$work/alone_$scene" --scene "$scene" --frames 2
        mapfile -t pair < <(awk -v s="$scene" '$4 == s { print $1 }' "$work/pair_$scene/frames.txt")
        mapfile -t alone < <(awk '{ print $1 }' "$work/alone_$scene/frames.txt")
        [[ ${#pair[@]} -eq 2 && ${#alone[@]} -eq 2 ]] ||
            fail "$previous -> $scene: expected two frames of $scene in each run (${#pair[@]}, ${#alone[@]})"
        for k in 0 1; do
            cmp -s "$work/pair_$scene/${pair[$k]}" "$work/alone_$scene/${alone[$k]}" ||
                fail "$previous -> $scene: frame $k of $scene differs after $previous was drawn"
        done
        echo "$previous -> $scene: the same frames"
    fi
    previous=$scene
done <"$work/starts"
echo PASS
