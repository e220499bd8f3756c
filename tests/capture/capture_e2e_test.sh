#!/usr/bin/env bash
# Capture mode end to end, on a minimal run tree made here, with placeholder scenes (black,
# each for as long as its scene's clock runs, so the show keeps its real length and cuts):
#  - --to 1 at 10 fps: 10 frames, exit 0 at the end of the range; a second run gives equal files;
#  - --to 0.5: 5 frames;
#  - the cut from the first scene to the second falls at 27 s, where the music has it;
#  - the show ends by itself at about 406.4 s with 0;
#  - --loading-frames: the loading screen's frames, a picture among them;
#  - --video: an MP4 with the frames and the soundtrack of the range;
#  - --from far beyond the show: refused with exit code 2.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

show=$work/show
source "$VELLUNA_SOURCE/tests/support/placeholder_tree.sh"
make_placeholder_tree "$show" 4
cd "$show/bin"

fail() { echo "FAIL: $*"; exit 1; }
capture() {  # log, args...
    local log=$1; shift
    local rc=0
    timeout 120 ./velluna --placeholders --size 320x180 "$@" >"$work/$log" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { cat "$work/$log"; fail "exit code $rc for $*"; }
}

# A range far beyond the show is refused with its reason and exit code 2, before any window.
rc=0
./velluna --placeholders --capture "$work/far" --from 1e12 >"$work/far.log" 2>&1 || rc=$?
[[ $rc -eq 2 ]] || { cat "$work/far.log"; fail "--from 1e12 gave exit code $rc, not 2"; }
grep -q "velluna: --from: 1e12 s lies far beyond the show" "$work/far.log" || fail "no reason for --from 1e12"

capture run1.log --capture "$work/a" --fps 10 --from 0 --to 1
capture run2.log --capture "$work/b" --fps 10 --from 0 --to 1
n=$(ls "$work/a"/frame_*.png | wc -l)
[[ $n -eq 10 ]] || fail "expected 10 frames, got $n"
[[ -f "$work/a/frame_000000.png" && -f "$work/a/frame_000009.png" ]] || fail "frame names"
for f in "$work/a"/frame_*.png; do
    cmp -s "$f" "$work/b/$(basename "$f")" || fail "$(basename "$f") differs between two runs"
done
grep -q "capture: frame 10 of 10  t 0.900 s  Part_KinectEffect (placeholder)" "$work/run1.log" || fail "progress line"
max=$(convert "$work/a/frame_000004.png" -format '%[fx:maxima]' info:)
[[ $max == 0 ]] || fail "a placeholder frame is not black ($max)"

# The first cut: the opening scene's clock runs 0 to 27 at the rate 1.
capture cut.log --capture "$work/cut" --fps 10 --from 26.55 --to 27.45
awk '{ print $3 " " $4 }' "$work/cut/frames.txt" >"$work/cut.txt"
grep -q "^26.9.* Part_KinectEffect$" "$work/cut.txt" || { cat "$work/cut.txt"; fail "the opening scene at 26.9 s"; }
grep -q "^27.1.* Part_ParticleShadowBoat$" "$work/cut.txt" || { cat "$work/cut.txt"; fail "the boat at 27.1 s"; }

# The end: the last scene is done at about 406.4 s and the show ends there with 0.
capture end.log --capture "$work/end" --fps 10 --from 405 --to 420
last=$(tail -n 1 "$work/end/frames.txt" | awk '{ print $3 " " $4 }')
awk -v t="${last% *}" 'BEGIN { exit !(t > 406.0 && t < 406.8) }' || fail "the show's last frame is at $last"
[[ ${last#* } == Part_DEMOLidarTree ]] || fail "the last frame shows ${last#* }"

capture run3.log --capture "$work/c" --fps 10 --to 0.5 --loading-frames
n=$(ls "$work/c"/frame_*.png | wc -l)
[[ $n -eq 5 ]] || fail "expected 5 frames up to 0.5 s, got $n"
n=$(ls "$work/c"/loading_*.png | wc -l)
[[ $n -eq 40 ]] || fail "expected 40 loading-screen frames, got $n"
max=$(convert "$work/c/loading_0020.png" -format '%[fx:maxima]' info:)
[[ $max != 0 ]] || fail "the loading screen is black halfway"

capture run5.log --capture "$work/d" --fps 10 --from 0.3 --to 0.5 --preroll
n=$(ls "$work/d"/frame_*.png | wc -l)
[[ $n -eq 2 ]] || fail "expected 2 frames with --preroll, got $n"

capture run4.log --video "$work/show.mp4" --fps 10 --from 0.2 --to 0.7
frames=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames -of csv=p=0 "$work/show.mp4")
[[ $frames -eq 5 ]] || fail "the video has $frames frames, not 5"
audio=$(ffprobe -v error -select_streams a:0 -show_entries stream=duration -of csv=p=0 "$work/show.mp4")
awk -v d="$audio" 'BEGIN { exit !(d > 0.4 && d < 0.6) }' || fail "the video's sound lasts $audio s, not 0.5"
echo PASS
