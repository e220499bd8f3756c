#!/usr/bin/env bash
# Scenes don't disturb each other. One capture of the whole show (small content set, every
# scene loaded, 2 frames a second) draws the last frames before every cut and the first seven
# after it, and simulates the rest of each scene; then each scene B is captured alone (only B
# loaded). B's first seven frames, its first 3 s, must be the same pictures in both: whatever
# the scene before it left behind (GL state, a shared texture's parameters, the clock) did not
# reach B. Some leaks show only once B's post passes have something to blur, so the frames a
# few seconds in count as much as the first.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -d $show/newresources/walkers2 ]] || fail "no run tree in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$show/bin"
run() {  # name, args...
    local name=$1; shift
    local rc=0
    timeout -k 10 900 ./velluna --capture "$work/$name" --fps 2 --size 160x90 "$@" >"$work/$name.log" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { tail -20 "$work/$name.log"; fail "exit code $rc for $*"; }
}

frames=7
run show --cuts $frames
! grep -q "(placeholder)" "$work/show.log" || fail "a placeholder in the show: $(grep -m1 '(placeholder)' "$work/show.log")"
# The scenes in play order, from the index: the frames of each scene in the show's capture.
awk '$4 != previous { print $4; previous = $4 }' "$work/show/frames.txt" >"$work/order"
[[ $(wc -l <"$work/order") -eq 10 ]] || { cat "$work/show/frames.txt"; fail "not ten scenes around the cuts"; }

previous="" failed=0
while read -r scene; do
    if [[ -n $previous ]]; then
        run "$scene" --scene "$scene" --frames $frames
        mapfile -t after < <(awk -v s="$scene" '$4 == s { print $1 }' "$work/show/frames.txt" | head -$frames)
        mapfile -t alone < <(awk '{ print $1 }' "$work/$scene/frames.txt")
        [[ ${#after[@]} -eq $frames && ${#alone[@]} -eq $frames ]] ||
            fail "$previous -> $scene: expected $frames frames of $scene in each capture (${#after[@]}, ${#alone[@]})"
        same=yes
        for ((k = 0; k < frames; ++k)); do
            if ! cmp -s "$work/show/${after[$k]}" "$work/$scene/${alone[$k]}"; then
                diff=$({ compare -metric AE "$work/show/${after[$k]}" "$work/$scene/${alone[$k]}" null: 2>&1 || true; })
                echo "$previous -> $scene: frame $k of $scene differs after $previous was drawn ($diff pixels)"
                same=no failed=1
            fi
        done
        [[ $same == no ]] || echo "$previous -> $scene: the same frames"
    fi
    previous=$scene
done <"$work/order"
[[ $failed -eq 0 ]] || fail "a scene looks different after its neighbour was drawn"
echo PASS
