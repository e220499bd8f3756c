#!/usr/bin/env bash
# Seeking in developer mode shows the simulation's true state: in the run tree scripts/build
# assembles (the small content set under scripts/test), on llvmpipe at 160 x 90, a seek back
# inside a particle scene that has been playing lands on the frame that an offline capture at
# the same step rate (60 fps) writes for that time, picture for picture. A frame a quarter
# second earlier differs: the comparison can tell times apart.
#   Part_Fallers               particles only
#   Part_ParticleShadowForest  particles that follow trees, which grow with the scene's clock
# (Kept short: every step of a scene costs a fraction of a second on llvmpipe.)
set -euo pipefail
if [[ -z "${VELLUNA_OWN_DISPLAY:-}" ]]; then
    export VELLUNA_OWN_DISPLAY=1
    exec "${VELLUNA_SOURCE:?}/scripts/xvfb-run-here" bash "$0" "$@"
fi
: "${DISPLAY:?needs a display}"
unset GALLIUM_NOOP
export SDL_AUDIODRIVER=dummy
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; [[ -f ${log:-} ]] && grep '^dev:' "$log" | tail -20; exit 1; }
[[ -x $show/bin/velluna && -f $show/newresources/fallers.objb && -f $show/newresources/buffalo.objb ]] ||
    fail "no run tree with the scenes' content in $show (scripts/build assembles it)"
source "$VELLUNA_SOURCE/tests/dev/dev_helpers.sh"
makeWorkDir
cd "$show/bin"

seekTruth() {  # scene
    local scene=$1
    # The scene's start at 60 fps, from a capture's plan.
    ./velluna --capture "$work/$scene.plan" --scene "$scene" --fps 60 --frames 1 --size 64x36 >"$work/$scene.plan.log" 2>&1 ||
        { tail -20 "$work/$scene.plan.log"; fail "the capture plan did not run"; }
    first=$(sed -n "s/^capture: $scene  *frames *\([0-9]*\)-.*/\1/p" "$work/$scene.plan.log")
    [[ -n $first ]] || { cat "$work/$scene.plan.log"; fail "no span for $scene in the plan"; }
    from=$(awk -v f="$first" 'BEGIN { printf "%.4f", (f + 90) / 60 }')  # 1.5 s into the scene

    log=$work/$scene.dev.log
    ./velluna --dev --windowed 160x90 --scene "$scene" --from "$from" >"$log" 2>&1 &
    pid=$!
    waitLine 1
    grep '^dev: from' "$log" | grep -q 'from scene start' || fail "--from did not step the scene from its start"
    sleep 2  # the scene plays on in real time
    press space >/dev/null
    line=$(press shift+Left)
    echo "$line"
    [[ $line == "dev: seek "*" $scene (from checkpoint "* || $line == "dev: seek "*" $scene (from scene start"* ]] ||
        fail "the seek back did not replay from a checkpoint or the scene's start: $line"
    landing=$(timeOf "$line")
    shot=$(press F12)
    png=$(sed -n 's/.*(\(dev_shot_[0-9]*\.png\))$/\1/p' <<<"$shot")
    [[ -n $png && -f $png ]] || fail "no screenshot: $shot"
    mv "$png" "$work/$scene.dev.png"
    kill "$pid"; wait "$pid" 2>/dev/null || true; pid=

    frame=$(awk -v t="$landing" 'BEGIN { printf "%d", t * 60 + 0.5 }')
    capture() {  # dir, frame
        timeout 900 ./velluna --capture "$1" --scene "$scene" --fps 60 --from "$(awk -v f="$2" 'BEGIN { printf "%.6f", f / 60 }')" \
            --frames 1 --size 160x90 >"$1.log" 2>&1 || { tail -20 "$1.log"; fail "the capture at frame $2 failed"; }
    }
    capture "$work/$scene.at" "$frame"
    capture "$work/$scene.before" "$((frame - 15))"
    rmse() { (compare -metric RMSE "$1" "$2" null: 2>&1 || true) | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'; }
    same=$(rmse "$work/$scene.dev.png" "$work/$scene.at/frame_000000.png")
    other=$(rmse "$work/$scene.dev.png" "$work/$scene.before/frame_000000.png")
    echo "seek to $landing s (frame $frame): against the capture's frame $same, against a quarter second earlier $other"
    mean=$(convert "$work/$scene.dev.png" -colorspace gray -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.02) }' || fail "the picture after the seek is black (mean $mean)"
    awk -v s="$same" -v o="$other" 'BEGIN { exit !(s <= 0.002 && o > 0.01) }' ||
        fail "the picture after the seek is not the capture's frame ($same; a quarter second earlier: $other)"
}

waitSeconds=300  # a seek on llvmpipe steps hundreds of particle frames
for scene in Part_Fallers Part_ParticleShadowForest; do
    seekTruth "$scene"
done
echo PASS
