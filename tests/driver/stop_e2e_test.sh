#!/usr/bin/env bash
# Every way of stopping the program early, end to end, on a minimal run tree made here with
# placeholder scenes (nothing is drawn but black, so GALLIUM_NOOP=1 and the dummy audio
# driver serve):
#  - the real-time show: SIGTERM ends it with 143, SIGINT with 130, Escape with 0;
#  - a capture of a few frames: SIGTERM 143, SIGINT 130, Escape 1, each with one line that
#    says so; frames.txt then lists exactly the PNGs on disk, and each PNG decodes;
#  - a video stopped early: ffmpeg is given its end and the MP4 decodes to its last frame.
set -euo pipefail
# Keys go to the focused window, so this test runs on a display of its own: on the shared
# test display a window of a test running beside it could take the focus, and our keys.
if [[ -z "${VELLUNA_OWN_DISPLAY:-}" ]]; then
    export VELLUNA_OWN_DISPLAY=1
    exec "${VELLUNA_SOURCE:?}/scripts/xvfb-run-here" bash "$0" "$@"
fi
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
work=$(mktemp -d)
pids=()
main=$BASHPID
cleanup() {
    [[ $BASHPID == "$main" ]] || return 0  # a command substitution runs the EXIT trap too
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export GALLIUM_NOOP=1 SDL_AUDIODRIVER=dummy

show=$work/show
source "$VELLUNA_SOURCE/tests/support/placeholder_tree.sh"
make_placeholder_tree "$show" 30
cd "$show/bin"

fail() { echo "FAIL: $*"; exit 1; }

# Waits (at most 180 s: a loaded two-core machine can hold a start up for a minute) until
# `test` succeeds; fails with `what` and the tail of the current $log otherwise.
waitFor() {  # what, test...
    local what=$1; shift
    for _ in $(seq 1800); do
        "$@" && return 0
        sleep 0.1
    done
    [[ -f ${log:-} ]] && tail -20 "$log"
    fail "timed out waiting for $what"
}
windowOf() { xdotool search --pid "$1" --name "QRB - Velluna" 2>/dev/null | head -1; }
hasWindow() { [[ -n $(windowOf "$1") ]]; }
pressEscape() {
    local win
    win=$(windowOf "$1")
    xdotool windowfocus --sync "$win" key Escape 2>/dev/null || xdotool key --window "$win" Escape
}
# Stops process $1 by `how` (TERM, INT or Escape).
stop() {  # pid, how
    if [[ $2 == Escape ]]; then pressEscape "$1"; else kill -s "$2" "$1"; fi
}
# Sets rc to the exit code of process $1; one that is still running 30 s after it was asked
# to stop is killed (137).
awaitExit() {
    sh -c 'sleep 30 && kill -9 "$0" 2>/dev/null' "$1" &
    local watchdog=$!
    rc=0
    wait "$1" || rc=$?
    { kill "$watchdog" && wait "$watchdog"; } 2>/dev/null || true
}
writtenFrames() { ls "$1"/frame_*.png 2>/dev/null | wc -l; }
atLeastFrames() { [[ $(writtenFrames "$1") -ge $2 ]]; }

# The real-time show: stopped while it plays.
for case in "TERM 143" "INT 130" "Escape 0"; do
    read -r how expected <<<"$case"
    log=$work/play-$how.log
    ./velluna --placeholders --windowed 160x90 >"$log" 2>&1 &
    pid=$!
    pids+=("$pid")
    waitFor "the show's window" hasWindow "$pid"
    # The program restarted itself in place (same process) with glibc's huge-page tunable.
    tr '\0' '\n' <"/proc/$pid/environ" | grep -q '^GLIBC_TUNABLES=.*glibc\.malloc\.hugetlb=1' ||
        fail "the show runs without the huge-page tunable"
    sleep 2  # loading placeholders takes a moment; then the show plays
    stop "$pid" "$how"
    awaitExit "$pid"
    [[ $rc -eq $expected ]] || { cat "$log"; fail "the show stopped by $how exited with $rc, not $expected"; }
    if [[ $how != Escape ]]; then
        grep -q "^show: stopped by SIG$how$" "$log" || { cat "$log"; fail "no line for SIG$how"; }
    fi
    echo "real time, $how: exit code $rc"
done

# A capture: stopped after a few frames of a range far longer than the test waits.
for case in "TERM 143 SIGTERM" "INT 130 SIGINT" "Escape 1 Escape"; do
    read -r how expected name <<<"$case"
    dir=$work/capture-$how
    log=$dir.log
    ./velluna --placeholders --capture "$dir" --fps 30 --size 160x90 >"$log" 2>&1 &
    pid=$!
    pids+=("$pid")
    waitFor "three frames" atLeastFrames "$dir" 3
    stop "$pid" "$how"
    awaitExit "$pid"
    [[ $rc -eq $expected ]] || { tail -5 "$log"; fail "a capture stopped by $how exited with $rc, not $expected"; }
    grep -q "^capture: stopped by $name after [0-9]* of [0-9]* frames$" "$log" || { tail -5 "$log"; fail "no line for $name"; }
    # frames.txt names exactly the PNGs on disk, in order, and every one of them decodes.
    diff <(awk '{ print $1 }' "$dir/frames.txt") <(cd "$dir" && ls frame_*.png) ||
        fail "after $how, frames.txt does not list exactly the PNGs on disk"
    n=$(writtenFrames "$dir")
    [[ $n -ge 3 ]] || fail "only $n frames after $how"
    for f in "$dir"/frame_*.png; do
        identify -regard-warnings "$f" >/dev/null 2>&1 || fail "$(basename "$f") does not decode after $how"
    done
    grep -q "^capture: stopped by $name after $n of " "$log" || { tail -3 "$log"; fail "the line does not count the $n frames"; }
    echo "capture, $how: exit code $rc, $n frames listed and whole"
done

# A video stopped early: ffmpeg finishes the file, and it decodes to its last frame.
log=$work/video.log
./velluna --placeholders --video "$work/early.mp4" --fps 30 --size 160x90 >"$log" 2>&1 &
pid=$!
pids+=("$pid")
waitFor "ten frames into the video" grep -q "capture: frame 10 of" "$log"
kill -TERM "$pid"
awaitExit "$pid"
[[ $rc -eq 143 ]] || { tail -5 "$log"; fail "a video stopped by SIGTERM exited with $rc, not 143"; }
written=$(sed -n 's/^capture: stopped by SIGTERM after \([0-9]*\) of .*/\1/p' "$log")
[[ -n $written ]] || { tail -5 "$log"; fail "no line for the video's stop"; }
grep -q "^capture: wrote $work/early.mp4$" "$log" || { tail -5 "$log"; fail "ffmpeg did not finish the video"; }
ffmpeg -v error -xerror -i "$work/early.mp4" -f null - 2>"$work/decode.txt" || { cat "$work/decode.txt"; fail "the video does not decode"; }
[[ ! -s $work/decode.txt ]] || { cat "$work/decode.txt"; fail "errors decoding the video"; }
frames=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames -of csv=p=0 "$work/early.mp4")
[[ $frames -eq $written ]] || fail "the video holds $frames frames, not the $written written"
echo "video, TERM: exit code 143, $frames frames decode"
echo PASS
