#!/usr/bin/env bash
# Part_ParticleShadowRainbow end to end: capture mode in the run tree that scripts/build
# assembles (scripts/test makes it with the small content set), one frame every 10 demo
# seconds at 320 x 180 and 2 frames a second (the frames between are simulated, and 4 million
# particles a step are slow on a software renderer), then the first two frames again. Every frame is neither black nor uniform, is in colour (its
# mean saturation well above the grey of the show's other scenes, which stay under 0.12), the
# frames change over the scene, and the second capture gives the same PNGs bit for bit.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
scene=Part_ParticleShadowRainbow
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -f $show/newresources/people.objb && -f $show/newresources/try1.sav ]] ||
    fail "no run tree with the scene's content in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$show/bin"
capture() {  # DIR, then extra options
    local dir=$1; shift
    local rc=0
    timeout 600 ./velluna --capture "$dir" --scene $scene --size 320x180 "$@" >"$dir.log" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { tail -30 "$dir.log"; fail "exit code $rc"; }
}

capture "$work/a" --fps 2 --every 10
capture "$work/b" --fps 2 --every 10 --frames 2
count=0 previous="" changed=0
while read -r file frame demo name; do
    [[ $name == "$scene" ]] || continue
    img=$work/a/$file
    read -r mean dev < <(convert "$img" -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    sat=$(convert "$img" -colorspace HSL -channel G -separate -format '%[fx:mean]' info:)
    echo "frame $file  demo $demo  mean $mean  deviation $dev  saturation $sat"
    awk -v m="$mean" -v s="$dev" 'BEGIN { exit !(m > 0.02 && m < 0.7 && s > 0.02) }' ||
        fail "$file (demo $demo) is black, blown out or uniform: mean $mean, deviation $dev"
    awk -v s="$sat" 'BEGIN { exit !(s > 0.25) }' || fail "$file (demo $demo) is not in colour: saturation $sat"
    if [[ -n $previous ]]; then
        diff=$(compare -metric MAE "$previous" "$img" null: 2>&1 | awk '{ print $2 }' | tr -d '()' || true)
        awk -v d="$diff" 'BEGIN { exit !(d > 0.005) }' && changed=$((changed + 1))
    fi
    previous=$img
    count=$((count + 1))
done <"$work/a/frames.txt"
[[ $count -ge 3 ]] || fail "only $count frames of the scene"
[[ $changed -eq $((count - 1)) ]] || fail "the picture hardly changes over the scene ($changed of $((count - 1)) steps)"

for f in "$work"/b/frame_*.png; do
    cmp -s "$f" "$work/a/$(basename "$f")" || fail "$(basename "$f") differs between two identical captures"
done
echo PASS
