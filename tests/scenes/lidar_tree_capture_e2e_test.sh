#!/usr/bin/env bash
# Part_DEMOLidarTree end to end: capture mode in the run tree that scripts/build assembles
# (scripts/test makes it with the small content set), one frame every 10 demo seconds over
# the scene at 320 x 180, then the show's last frames. The scene's frames are neither black
# nor uniform and change over the scene; the capture reaches the end of the show, whose
# last frame has faded out, and the program ends with exit code 0.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -f $show/newresources/lidar4.objb && -f $show/newresources/2.ascbbcomp ]] ||
    fail "no run tree with the scene's content in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$show/bin"
rc=0
timeout 900 ./velluna --capture "$work/f" --scene Part_DEMOLidarTree --fps 10 --every 10 --size 320x180 \
    >"$work/log" 2>&1 || rc=$?
[[ $rc -eq 0 ]] || { tail -30 "$work/log"; fail "exit code $rc"; }

count=0 previous="" changes=0
while read -r file frame demo scene; do
    [[ $scene == Part_DEMOLidarTree ]] || fail "$file belongs to $scene"
    img=$work/f/$file
    read -r mean dev < <(convert "$img" -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    echo "frame $file  demo $demo  mean $mean  deviation $dev"
    # The last seconds fade out on purpose; every other frame shows the scan or the climax.
    if awk -v d="$demo" 'BEGIN { exit !(d < 403.0) }'; then
        awk -v m="$mean" -v s="$dev" 'BEGIN { exit !(m > 0.01 && m < 0.7 && s > 0.02) }' ||
            fail "$file (demo $demo) is black, blown out or uniform: mean $mean, deviation $dev"
    fi
    if [[ -n $previous ]]; then
        # compare exits with 1 when the pictures differ, which is what we hope for.
        diff=$({ compare -metric RMSE "$previous" "$img" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p')
        awk -v d="$diff" 'BEGIN { exit !(d > 0.01) }' && changes=$((changes + 1))
    fi
    previous=$img
    count=$((count + 1))
done <"$work/f/frames.txt"
[[ $count -ge 9 ]] || fail "only $count frames of the scene"
[[ $changes -ge $((count - 2)) ]] || fail "the picture changed only $changes times in $count frames"

# The end of the show: the last frames before the program ends by itself.
rc=0
timeout 900 ./velluna --capture "$work/e" --from 405.9 --fps 10 --size 320x180 >"$work/log2" 2>&1 || rc=$?
[[ $rc -eq 0 ]] || { tail -30 "$work/log2"; fail "the show's end: exit code $rc"; }
last=$(tail -1 "$work/e/frames.txt")
read -r file frame demo scene <<<"$last"
[[ $scene == Part_DEMOLidarTree ]] || fail "the last frame belongs to $scene"
awk -v d="$demo" 'BEGIN { exit !(d > 406.0 && d < 406.8) }' || fail "the show ended at demo $demo, not about 406.4"
mean=$(convert "$work/e/$file" -colorspace gray -format '%[fx:mean]' info:)
echo "last frame $file  demo $demo  mean $mean"
awk -v m="$mean" 'BEGIN { exit !(m < 0.02) }' || fail "the last frame has not faded out (mean $mean)"
echo PASS
