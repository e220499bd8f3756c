#!/usr/bin/env bash
# Developer mode's transport end to end, read from its "dev:" lines: placeholder scenes (black
# pictures on the show's clocks), GALLIUM_NOOP=1 and the dummy audio driver, keys by xdotool.
#  - --from lands where it says; pause holds the demo time; a frame step moves one frame;
#  - each seek lands within one frame of its target; PageDown/PageUp/Home land on the scene
#    starts an offline capture's plan gives at the same step;
#  - a [ ] range loops back to its in point;
#  - speed 0.5x and 2x change the clock's rate.
set -euo pipefail
# Keys go to the focused window: a display of our own, as the stop test has.
if [[ -z "${VELLUNA_OWN_DISPLAY:-}" ]]; then
    export VELLUNA_OWN_DISPLAY=1
    exec "${VELLUNA_SOURCE:?}/scripts/xvfb-run-here" bash "$0" "$@"
fi
: "${DISPLAY:?needs a display}"
source "$VELLUNA_SOURCE/tests/dev/dev_helpers.sh"
makeWorkDir
export GALLIUM_NOOP=1 SDL_AUDIODRIVER=dummy

show=$work/show
source "$VELLUNA_SOURCE/tests/support/placeholder_tree.sh"
make_placeholder_tree "$show" 480
cd "$show/bin"

fail() { echo "FAIL: $*"; [[ -f ${log:-} ]] && grep '^dev:' "$log" | tail -20; exit 1; }
frame=$(awk 'BEGIN { print 1 / 60 }')

# The scene starts of the show at 60 frames per second, from a capture's plan.
./velluna --placeholders --capture "$work/plan" --fps 60 --frames 1 --size 64x36 >"$work/plan.log" 2>&1 ||
    fail "the capture plan did not run"
# "capture: <scene> (placeholder)  frames <first>-<last>  <t0>-<t1> s", one per scene in play order.
spans=$(sed -n 's/^capture: \(Part_[A-Za-z]*\) (placeholder) *frames *\([0-9]*\)- *[0-9]* .*/\1 \2/p' "$work/plan.log")
[[ $(wc -l <<<"$spans") -eq 10 ]] || { cat "$work/plan.log"; fail "the plan does not list ten scenes"; }
sceneStart() { awk -v s="$1" '$1 == s { printf "%.6f", $2 / 60 }' <<<"$spans"; }
sceneAfter() { awk -v s="$1" 'f { print $1; exit } $1 == s { f = 1 }' <<<"$spans"; }

log=$work/dev.log
./velluna --placeholders --dev --windowed 160x90 --from 100 >"$log" 2>&1 &
pid=$!

expectAt() {  # line, expected time, what
    near "$(timeOf "$1")" "$2" "$frame" || fail "$3: '$1' is not within a frame of $2 s"
    echo "ok: $3 ($1)"
}

waitLine 1  # ready, from
line=$(grep '^dev: from' "$log" | head -1)
expectAt "$line" 100 "--from 100"

# Pause holds the demo time.
paused=$(press space)
[[ $paused == "dev: pause "* ]] || fail "Space gave '$paused'"
sleep 1.5
resumed=$(press space)
[[ $resumed == "dev: play "* ]] || fail "Space again gave '$resumed'"
expectAt "$resumed" "$(timeOf "$paused")" "pause holds the demo time"
t=$(timeOf "$(press space)")

# Seeks and frame steps while paused: key, expected landing relative to the time before.
for case in "Right 5" "shift+Right 1" "Left -5" "shift+Left -1" "Up $frame" "Down -$frame"; do
    read -r key delta <<<"$case"
    line=$(press "$key")
    want=$(awk -v a="$t" -v b="$delta" 'BEGIN { printf "%.6f", a + b }')
    expectAt "$line" "$want" "$key"
    t=$(timeOf "$line")
done

# Scenes: the next one's start, the previous one's start, and home.
scene=$(sceneOf "$line")
next=$(sceneAfter "$scene")
line=$(press Next)
expectAt "$line" "$(sceneStart "$next")" "PageDown to $next"
[[ $(sceneOf "$line") == "$next" ]] || fail "PageDown landed in the wrong scene: $line"
line=$(press Prior)
expectAt "$line" "$(sceneStart "$scene")" "PageUp to $scene"
line=$(press Home)
expectAt "$line" 0 "Home"

# A [ ] range of one second loops back to its in point.
press shift+Right >/dev/null
line=$(press bracketleft)
in=$(timeOf "$line")
press shift+Right >/dev/null
line=$(press bracketright)
[[ $line == "dev: loop out "* ]] || fail "] gave '$line'"
press space >/dev/null
for _ in $(seq 100); do grep -q '^dev: loop back' "$log" && break; sleep 0.1; done
line=$(grep '^dev: loop back' "$log" | head -1)
[[ -n $line ]] || fail "the range did not loop back"
expectAt "$line" "$in" "the loop goes back to its in point"
press l >/dev/null  # the loop ends

# Speed: the demo time moves at half and at twice the wall clock.
rate() {  # key: the rate of the demo clock over about 3 s after pressing it
    local a b w0 w1
    a=$(timeOf "$(press "$1")")
    w0=$(date +%s.%N)
    sleep 3
    b=$(timeOf "$(press space)")
    w1=$(date +%s.%N)
    press space >/dev/null
    awk -v a="$a" -v b="$b" -v w0="$w0" -v w1="$w1" 'BEGIN { printf "%.3f", (b - a) / (w1 - w0) }'
}
slow=$(rate minus)
near "$slow" 0.5 0.12 || fail "at 0.5x the clock ran at $slow"
echo "ok: 0.5x runs at $slow"
press equal >/dev/null
fast=$(rate equal)
near "$fast" 2.0 0.4 || fail "at 2x the clock ran at $fast"
echo "ok: 2x runs at $fast"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo PASS
