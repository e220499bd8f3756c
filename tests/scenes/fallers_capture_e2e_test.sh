#!/usr/bin/env bash
# Part_Fallers end to end: capture mode in the run tree that scripts/build assembles (scripts/test
# makes it with the small content set), three frames across the scene at 320 x 180. Every
# frame has a dark ground and pale figures and statues (neither black nor blown out nor
# uniform), and the falling figures make every frame differ from the one before.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -f $show/newresources/fallers.objb && -f $show/newresources/cupidhead.objb ]] ||
    fail "no run tree with the scene's content in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$show/bin"
rc=0
timeout 600 ./velluna --capture "$work/f" --scene Part_Fallers --fps 2 --size 320x180 --every 6 \
    >"$work/log" 2>&1 || rc=$?
[[ $rc -eq 0 ]] || { tail -30 "$work/log"; fail "exit code $rc"; }
grep -q "ERROR" "$work/log" && { grep -A5 "ERROR" "$work/log" | head -20; fail "a shader did not compile"; }

count=0
previous=""
while read -r file frame demo scene; do
    [[ $scene == Part_Fallers ]] || continue
    img=$work/f/$file
    read -r mean dev < <(convert "$img" -colorspace gray -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
    pale=$(convert "$img" -colorspace gray -threshold 45% -format '%[fx:mean]' info:)
    dark=$(convert "$img" -colorspace gray -negate -threshold 85% -format '%[fx:mean]' info:)
    echo "frame $file  demo $demo  mean $mean  deviation $dev  pale $pale  dark $dark"
    awk -v m="$mean" -v s="$dev" -v p="$pale" -v d="$dark" 'BEGIN { exit !(m > 0.03 && m < 0.6 && s > 0.03 && p > 0.005 && d > 0.2) }' ||
        fail "$file is black, blown out or uniform: mean $mean, deviation $dev, pale $pale, dark $dark"
    if [[ -n $previous ]]; then
        # compare exits 1 when the pictures differ, which is what we want.
        change=$( (compare -metric RMSE "$previous" "$img" null: 2>&1 || true) | sed -E 's/.*\(([0-9.e-]+)\).*/\1/')
        echo "  change from the frame before: $change"
        awk -v c="$change" 'BEGIN { exit !(c > 0.02) }' || fail "$file hardly differs from the frame before ($change)"
    fi
    previous=$img
    count=$((count + 1))
done <"$work/f/frames.txt"
[[ $count -ge 3 ]] || fail "only $count frames of the scene"
echo PASS
