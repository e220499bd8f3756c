#!/usr/bin/env bash
# Part_ParticleShadowForest end to end: capture mode in the run tree that scripts/build
# assembles (scripts/test makes it with the small content set), one frame every 11 demo
# seconds at 320 x 180, twice. Every frame is neither black nor uniform, the frames change over
# the scene, and the two captures give the same PNGs bit for bit (the trees are built per
# frame in capture mode, never by the free-running workers).
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -f $show/newresources/standing.objb && -f $show/newresources/try1.sav ]] ||
    fail "no run tree with the scene's content in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$show/bin"
capture() {  # DIR, then extra options
    local dir=$1; shift
    local rc=0
    timeout -k 30 1800 ./velluna --capture "$dir" --scene Part_ParticleShadowForest --size 320x180 "$@" >"$dir.log" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { tail -30 "$dir.log"; fail "exit code $rc"; }
}

capture "$work/a" --fps 2 --every 11
capture "$work/b" --fps 2 --every 11
count=0 previous="" changed=0
while read -r file frame demo scene; do
    [[ $scene == Part_ParticleShadowForest ]] || continue
    img=$work/a/$file
    read -r mean dev < <(convert "$img" -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    echo "frame $file  demo $demo  mean $mean  deviation $dev"
    awk -v m="$mean" -v s="$dev" 'BEGIN { exit !(m > 0.02 && m < 0.7 && s > 0.02) }' ||
        fail "$file (demo $demo) is black, blown out or uniform: mean $mean, deviation $dev"
    if [[ -n $previous ]]; then
        diff=$(compare -metric MAE "$previous" "$img" null: 2>&1 | awk '{ print $2 }' | tr -d '()' || true)
        awk -v d="$diff" 'BEGIN { exit !(d > 0.005) }' && changed=$((changed + 1))
    fi
    previous=$img
    count=$((count + 1))
done <"$work/a/frames.txt"
[[ $count -ge 3 ]] || fail "only $count frames of the scene"
[[ $changed -eq $((count - 1)) ]] || fail "the picture hardly changes over the scene ($changed of $((count - 1)) steps)"

for f in "$work"/a/frame_*.png; do
    cmp -s "$f" "$work/b/$(basename "$f")" || fail "$(basename "$f") differs between two identical captures"
done
echo PASS
