#!/usr/bin/env bash
# Part_ParticleShadowSkull end to end: capture mode in the run tree that scripts/build
# assembles (scripts/test makes it with the small content set), one frame every 4 demo
# seconds at 320 x 180 with the simulation run for the frames in between. No frame is black,
# blown out or uniform; once the subjects have gathered (6 s into the scene) there is pale
# marble; and the frames change over the scene.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -f $show/newresources/agalma3cut.objb && -f $show/newresources/cupidhead.objb ]] ||
    fail "no run tree with the scene's content in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$show/bin"
rc=0
timeout 900 ./velluna --capture "$work/f" --scene Part_ParticleShadowSkull --fps 4 --size 320x180 --every 4 \
    >"$work/log" 2>&1 || rc=$?
[[ $rc -eq 0 ]] || { tail -30 "$work/log"; fail "exit code $rc"; }
n=$(awk '$4 == "Part_ParticleShadowSkull"' "$work/f/frames.txt" | wc -l)
start=$(awk '$4 == "Part_ParticleShadowSkull" { print $3; exit }' "$work/f/frames.txt")
[[ $n -ge 4 ]] || fail "only $n frames of the scene"
previous=""
while read -r file frame demo scene; do
    [[ $scene == Part_ParticleShadowSkull ]] || continue
    img=$work/f/$file
    read -r mean dev < <(convert "$img" -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    pale=$(convert "$img" -colorspace gray -threshold 40% -format '%[fx:mean]' info:)
    echo "frame $file  demo $demo  mean $mean  deviation $dev  pale $pale"
    awk -v m="$mean" -v s="$dev" -v p="$pale" -v t="$demo" -v t0="$start" \
        'BEGIN { exit !(m > 0.02 && m < 0.6 && s > 0.02 && (t < t0 + 6 || p > 0.002)) }' ||
        fail "$file (demo $demo) is black, blown out or uniform: mean $mean, deviation $dev, pale $pale"
    if [[ -n $previous ]]; then
        diff=$( (compare -metric RMSE "$previous" "$img" null: 2>&1 || true) | sed "s/.*(\(.*\))/\1/")
        awk -v d="$diff" 'BEGIN { exit !(d > 0.005) }' || fail "$file is the same picture as the one before"
    fi
    previous=$img
done <"$work/f/frames.txt"
echo PASS
