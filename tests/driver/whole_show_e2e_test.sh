#!/usr/bin/env bash
# The whole show on the small content set, every scene loaded:
#  - a bare capture loads all ten scenes (none is a placeholder) and writes the first frame,
#    which belongs to the opening scene;
#  - at 30 and at 60 fps every scene starts within one frame of where the music's timeline
#    (the content generator's, from the same clock table) puts its cut, and the show ends
#    at about 406.4 s.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -d $show/newresources/walkers2 ]] || fail "no run tree in $show (scripts/build assembles it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$VELLUNA_BUILD/content/velluna-content" --timeline >"$work/timeline.txt"
[[ $(grep -c '^timeline: ' "$work/timeline.txt") -eq 20 ]] || fail "the generator's timeline has not 20 rows"

cd "$show/bin"
for fps in 30 60; do
    rc=0
    timeout -k 10 900 ./velluna --capture "$work/f$fps" --fps "$fps" --frames 1 --size 160x90 >"$work/log$fps" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { tail -30 "$work/log$fps"; fail "exit code $rc at $fps fps"; }
    ! grep -q "(placeholder)" "$work/log$fps" || fail "a placeholder in the show: $(grep -m1 '(placeholder)' "$work/log$fps")"
    # Every scene frees its sample arrays by the end of its finishLoad (the loader tells).
    ! grep -q "sample arrays are still held" "$work/log$fps" ||
        fail "$(grep -m1 'sample arrays are still held' "$work/log$fps")"
    [[ $(grep -c '^load: [LF][0-9] Part_' "$work/log$fps") -eq 20 ]] || fail "not twenty timed loading steps"
    first=$(awk '{ print $4; exit }' "$work/f$fps/frames.txt")
    [[ $first == Part_KinectEffect ]] || fail "the first frame shows $first"
    # capture: <scene> frames <a>-<b>  <t0>-<t1> s   against   timeline: <fps> <scene> <start> <length>
    sed -n 's/^capture: \(Part_[A-Za-z]*\) *frames *\([0-9]*\)- *\([0-9]*\).*/\1 \2 \3/p' "$work/log$fps" >"$work/spans$fps"
    [[ $(wc -l <"$work/spans$fps") -eq 10 ]] || { cat "$work/log$fps" | grep '^capture'; fail "not ten scenes at $fps fps"; }
    awk -v fps="$fps" '
        FNR == NR { if ($1 == fps) { start[$2] = $3; end = $3 + $4 } next }
        {
            if (!($1 in start)) { print "no timeline row for " $1; bad = 1; next }
            t = $2 / fps
            printf "%-28s first frame %8.3f s, the music cuts at %8.3f s\n", $1, t, start[$1]
            if (t - start[$1] > 1.0001 / fps || start[$1] - t > 1.0001 / fps) { print "  more than a frame apart"; bad = 1 }
            last = ($3 + 1) / fps
        }
        END {
            printf "the show ends at %.3f s, the music at %.3f s\n", last, end
            if (last - end > 1.0001 / fps || end - last > 1.0001 / fps || end < 406.0 || end > 406.8) bad = 1
            exit bad
        }' <(sed 's/^timeline: //' "$work/timeline.txt") "$work/spans$fps" || fail "cuts off the music at $fps fps"
done
echo PASS
