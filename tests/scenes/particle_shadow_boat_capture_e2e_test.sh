#!/usr/bin/env bash
# Part_ParticleShadowBoat end to end: capture mode in the run tree that scripts/build assembles
# (scripts/test makes it with the small content set), one frame every 16 demo seconds (four frames, the scene simulated at one step a second) at
# 320 x 180. Every frame has a dark night ground with pale particles in it (neither black nor
# uniform), and the picture changes from frame to frame.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
for f in sceneboat.objb gto.objb headsgarbled.objb eyes.objb island.objb peoplerow.objb agalma3simple.objb try1.sav; do
    [[ -f $show/newresources/$f ]] || fail "no $f in $show/newresources (scripts/build assembles the run tree)"
done
[[ -x $show/bin/velluna ]] || fail "no velluna in $show/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$show/bin"
rc=0
timeout -k 10 840 ./velluna --capture "$work/f" --scene Part_ParticleShadowBoat --fps 1 --size 320x180 --every 16 --frames 4 \
    >"$work/log" 2>&1 || rc=$?
[[ $rc -eq 0 ]] || { tail -30 "$work/log"; fail "exit code $rc"; }

n=0
previous=""
while read -r file frame demo scene; do
    [[ $scene == Part_ParticleShadowBoat ]] || continue
    img=$work/f/$file
    read -r mean dev < <(convert "$img" -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    pale=$(convert "$img" -colorspace gray -threshold 30% -format '%[fx:mean]' info:)
    dark=$(convert "$img" -colorspace gray -negate -threshold 88% -format '%[fx:mean]' info:)
    echo "frame $file  demo $demo  mean $mean  deviation $dev  pale $pale  dark $dark"
    # Night: a good share of dark pixels; particles: some pale ones; a spread between them.
    awk -v m="$mean" -v s="$dev" -v p="$pale" -v d="$dark" 'BEGIN { exit !(m > 0.012 && m < 0.6 && s > 0.02 && p > 0.002 && d > 0.15) }' ||
        fail "$file (demo $demo) is black, blown out or uniform: mean $mean, deviation $dev, pale $pale, dark $dark"
    if [[ -n $previous ]]; then
        diff=$(compare -metric RMSE "$previous" "$img" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
        echo "  differs from the previous frame by $diff"
        awk -v d="$diff" 'BEGIN { exit !(d > 0.01) }' || fail "$file shows the same picture as the frame before"
    fi
    previous=$img
    n=$((n + 1))
done <"$work/f/frames.txt"
[[ $n -ge 4 ]] || fail "only $n frames of the scene"
echo PASS
