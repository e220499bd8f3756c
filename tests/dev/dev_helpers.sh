# Sourced by developer mode's end-to-end tests. Expects $log (the show's output) and $pid.
# makeWorkDir (from the test's own shell): a temporary folder in $work, removed on exit, when
# the show ($pid) is killed too if it still runs.
# devLines: how many "dev:" lines the log holds. waitLine N: waits until there are more than N
# (fails when the show ends, or after `${waitSeconds:-30}` s). press KEY: presses KEY in the
# show's window and prints the dev: line it gave.
makeWorkDir() {
    work=$(mktemp -d)
    pid=
    main=$BASHPID
    trap removeWorkDir EXIT
}
removeWorkDir() {
    [[ $BASHPID == "$main" ]] || return 0  # a command substitution runs the EXIT trap too
    [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null || true
    rm -rf "$work"
}
devLines() { grep -c '^dev:' "$log" || true; }
waitLine() {
    local i
    for ((i = 0; i < ${waitSeconds:-30} * 10; ++i)); do
        [[ $(devLines) -gt $1 ]] && return 0
        kill -0 "$pid" 2>/dev/null || { tail -20 "$log"; fail "the show ended"; }
        sleep 0.1
    done
    fail "no dev: line after $(grep '^dev:' "$log" | tail -1)"
}
press() {
    local before win
    before=$(devLines)
    win=$(xdotool search --pid "$pid" --name "QRB - Velluna" 2>/dev/null | head -1)
    xdotool windowfocus --sync "$win" key "$1" 2>/dev/null || xdotool key --window "$win" "$1"
    waitLine "$before"
    grep '^dev:' "$log" | sed -n "$((before + 1))p"
}
# The demo time of a dev: line and its scene: the first "<seconds> s <scene>" in it (the action
# may take several words).
timeOf() { awk '{ for (i = 3; i < NF; ++i) if ($(i + 1) == "s" && $i ~ /^[0-9]+\.[0-9]+$/) { print $i; exit } }' <<<"$1"; }
sceneOf() { awk '{ for (i = 3; i < NF; ++i) if ($(i + 1) == "s" && $i ~ /^[0-9]+\.[0-9]+$/) { print $(i + 2); exit } }' <<<"$1"; }
near() {  # a b tolerance: |a - b| <= tolerance
    awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t + 1e-6) }'
}
