#!/usr/bin/env bash
# Hot reload end to end, in a temporary run tree (placeholder scenes; the shared programs are
# built from ../shaders/common/): while paused, an edit of a shader source is rebuilt within a
# second and the demo time does not move; a broken edit keeps the old program and the log
# shows the compiler's message; R rebuilds every program.
set -euo pipefail
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
make_placeholder_tree "$show" 60
cd "$show/bin"
fail() { echo "FAIL: $*"; [[ -f ${log:-} ]] && tail -30 "$log"; exit 1; }

shader=../shaders/common/f_fixedtexture.cpp
[[ -f $shader ]] || fail "no $shader in the run tree"
cp "$shader" "$work/original"

log=$work/dev.log
./velluna --placeholders --dev --windowed 160x90 --from 5 >"$log" 2>&1 &
pid=$!
waitLine 1
paused=$(press space)
t=$(timeOf "$paused")

# Waits for the next dev: line after an edit; prints it and how long it took.
afterEdit() {  # text to write into the shader
    local before start line
    before=$(devLines)
    start=$(date +%s.%N)
    sleep 1.1  # a new modification time, whatever the file system's resolution
    printf '%s' "$1" >"$shader"
    waitLine "$before"
    line=$(grep '^dev:' "$log" | sed -n "$((before + 1))p")
    echo "$line"
    awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f\n", e - s - 1.1 }'
}

{ read -r line; read -r took; } < <(afterEdit "$(cat "$work/original")
// an edit
")
[[ $line == "dev: reload "*"f_fixedtexture.cpp, 1 program)" ]] || fail "the edit gave '$line'"
near "$(timeOf "$line")" "$t" 0 || fail "the reload moved the demo time: $line (paused at $t)"
awk -v d="$took" 'BEGIN { exit !(d < 1.0) }' || fail "the reload took $took s"
echo "ok: an edit is rebuilt in $took s, the time holds ($line)"

{ read -r line; read -r took; } < <(afterEdit "#version 120
void main() { gl_FragColor = undefinedThing; }
")
[[ $line == "dev: reload failed "*"1 kept the old build: "* ]] || fail "the broken edit gave '$line'"
grep -q "undefinedThing" "$log" || fail "the log does not show the compiler's message"
grep -q "ERROR" "$log" || fail "no error banner for the failed build"
echo "ok: a broken edit keeps the old program ($line)"

{ read -r line; read -r took; } < <(afterEdit "$(cat "$work/original")
")
[[ $line == "dev: reload "*"f_fixedtexture.cpp, 1 program)" ]] || fail "the mended edit gave '$line'"
line=$(press r)
[[ $line == "dev: reload all "*" programs)" ]] || fail "R gave '$line'"
near "$(timeOf "$line")" "$t" 0 || fail "R moved the demo time: $line"
echo "ok: R rebuilds everything ($line)"
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
echo PASS
