#!/usr/bin/env bash
# Part_ParticleShadow end to end: capture mode in the run tree that scripts/build assembles
# (scripts/test makes it with the small content set), one frame every 4 demo seconds at
# 2 fps and 480 x 270. Every frame has a dark ground and pale figures (neither black nor
# uniform); the statue region's brightness before and after scene time 16 is printed.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -f $show/newresources/walkers2/mesh.0056.objb && -f $show/newresources/agalma3.objb ]] ||
    fail "no run tree with the scene's content in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$show/bin"
rc=0
timeout 900 ./velluna --capture "$work/f" --scene Part_ParticleShadow --fps 2 --size 480x270 --every 4 \
    >"$work/log" 2>&1 || rc=$?
[[ $rc -eq 0 ]] || { tail -30 "$work/log"; fail "exit code $rc"; }

# frames.txt: "<file> <show frame> <demo time> <scene>"; the scene's clock starts at -4.5 and
# runs at 0.9785 of demo time until 12, at 0.929575 after it.
start=$(awk '$4 == "Part_ParticleShadow" { print $3; exit }' "$work/f/frames.txt")
[[ -n $start ]] || fail "no frame of the scene in frames.txt"
before="" after=""
while read -r file frame demo scene; do
    [[ $scene == Part_ParticleShadow ]] || continue
    t=$(awk -v d="$demo" -v s="$start" 'BEGIN { t = -4.5 + (d - s) * 0.9785; if (t > 12) t = 12 + (t - 12) / 0.9785 * 0.929575; print t }')
    img=$work/f/$file
    read -r mean dev < <(convert "$img" -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    pale=$(convert "$img" -colorspace gray -threshold 40% -format '%[fx:mean]' info:)
    dark=$(convert "$img" -colorspace gray -negate -threshold 85% -format '%[fx:mean]' info:)
    echo "frame $file  t $t  mean $mean  deviation $dev  pale $pale  dark $dark"
    # The histogram: a dark ground (a fifth of the pixels or more below 0.15), pale figures
    # (some above 0.4), and a spread between them.
    awk -v m="$mean" -v s="$dev" -v p="$pale" -v d="$dark" 'BEGIN { exit !(m > 0.03 && m < 0.7 && s > 0.03 && p > 0.003 && d > 0.2) }' ||
        fail "$file (t $t) is black, blown out or uniform: mean $mean, deviation $dev, pale $pale, dark $dark"
    # The statue's head and shoulders: the middle of the picture, above the crowd's heads.
    region=$(convert "$img" -colorspace gray -crop 12%x15%+211+41 +repage -format '%[fx:mean]' info:)
    if awk -v t="$t" 'BEGIN { exit !(t >= 0 && t < 13) }'; then before=$region; fi
    if awk -v t="$t" 'BEGIN { exit !(t >= 23) }' && [[ -z $after ]]; then after=$region; fi
done <"$work/f/frames.txt"
[[ -n $before && -n $after ]] || fail "no frame before 13 or after 23 to compare"
echo "statue region: before $before, after $after"
# NOTE: informational since capture simulates every frame between the written ones: the
# crowds then walk through this region before 13 as well, and its mean no longer tells the
# statue apart (the statue is checked by eye in the capture frames).
echo PASS
