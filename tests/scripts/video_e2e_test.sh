#!/usr/bin/env bash
# scripts/video end to end on the small content set:
#  - join: a range across a cut (152-158 s at 160x90 and 5 fps: the rainbow in two chunks,
#    the second simulated from the scene's start without drawing, and the next scene) made
#    in three parts on two local jobs is the film of one `velluna --video` of the range:
#    the same frame count, duration and decoded pictures (byte-equal), with the soundtrack
#    of the range;
#  - resume: with one part taken away, a second run renders that part alone and joins the
#    same film again;
#  - ssh: a private sshd on a free port with a key made here; two "hosts" (127.0.0.1 and
#    localhost) get the run tree sent to another folder, render the two parts of a range
#    across another cut there, and the returned parts join into the single render's film.
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; exit 1; }
[[ -x $show/bin/velluna && -d $show/newresources/walkers2 ]] || fail "no run tree in $show (scripts/build assembles it)"
work=$(mktemp -d)
sshd_pid=""
cleanup() {
    [[ -n $sshd_pid ]] && kill "$sshd_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export VELLUNA_BUILD_DIR=$VELLUNA_BUILD
video=$VELLUNA_SOURCE/scripts/video

single() {  # out, from, to
    local rc=0
    (cd "$show/bin" && timeout -k 10 1200 ./velluna --video "$1" --size 160x90 --fps 5 --from "$2" --to "$3") \
        >"$1.log" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { tail -20 "$1.log"; fail "single render exit code $rc"; }
}
farm() {  # log, args...
    local log=$1; shift
    local rc=0
    timeout -k 10 1800 "$video" --size 160x90 --fps 5 "$@" >"$log" 2>&1 || rc=$?
    [[ $rc -eq 0 ]] || { tail -30 "$log"; fail "scripts/video exit code $rc for $*"; }
}
probe() {  # file, stream, entry
    ffprobe -v error -select_streams "$2" -count_packets -show_entries "stream=$3" -of csv=p=0 "$1"
}
same_film() {  # joined, single, frames
    local joined=$1 one=$2 frames=$3
    [[ $(probe "$joined" v:0 nb_read_packets) -eq $frames ]] || fail "$joined has $(probe "$joined" v:0 nb_read_packets) frames, not $frames"
    [[ $(probe "$one" v:0 nb_read_packets) -eq $frames ]] || fail "$one has $(probe "$one" v:0 nb_read_packets) frames, not $frames"
    [[ $(probe "$joined" v:0 duration) == $(probe "$one" v:0 duration) ]] ||
        fail "video durations differ: $(probe "$joined" v:0 duration) joined, $(probe "$one" v:0 duration) single"
    local a b
    a=$(probe "$joined" a:0 duration) b=$(probe "$one" a:0 duration)
    awk -v a="$a" -v b="$b" 'BEGIN { exit !(a > 0 && (a - b < 0.05 && b - a < 0.05)) }' ||
        fail "sound lasts $a s joined, $b s single"
    ffmpeg -v error -i "$joined" -map 0:v -f framemd5 - | grep -v '^#' | cut -d, -f6 >"$work/a.md5"
    ffmpeg -v error -i "$one" -map 0:v -f framemd5 - | grep -v '^#' | cut -d, -f6 >"$work/b.md5"
    if ! cmp -s "$work/a.md5" "$work/b.md5"; then
        # Every part starts a closed group at a frame where the single render starts one too,
        # and the encoder keeps no state across groups: the decoded pictures must be equal.
        ffmpeg -v error -i "$joined" -i "$one" -lavfi "[0:v][1:v]psnr=stats_file=$work/psnr.txt" -f null -
        sed -n 's/^n:\([0-9]*\).*psnr_avg:\([0-9.inf]*\).*/\1 \2/p' "$work/psnr.txt" >"$work/psnr"
        fail "decoded frames of $joined differ from the single render's (frame dB: $(tr '\n' ' ' <"$work/psnr"))"
    fi
}

# Join across a cut: rainbow 760-769 and 770-777 (a chunk), then the next scene 778-789.
farm "$work/join.log" "$work/joined.mp4" --from 152 --to 158 --piece 2 --jobs 2
grep -q "^video: 3 parts, 0 already made; 3 to render" "$work/join.log" || { cat "$work/join.log"; fail "not three parts"; }
grep -q "video: parts 3/3  frames 30/30" "$work/join.log" || fail "no final progress line"
single "$work/single.mp4" 152 158
same_film "$work/joined.mp4" "$work/single.mp4" 30

# Resume: the first run's parts are kept; take one away and run again.
parts=$(dirname "$(ls "$work"/joined.mp4.farm/parts/*/000770-000778-*.mp4)")
ls "$parts"/*.mp4 | grep -c . | grep -qx 3 || fail "expected three parts in $parts"
cp -p "$parts/000760-000770-Part_ParticleShadowRainbow.mp4" "$work/kept.mp4"
rm "$parts/000778-000790-Part_ParticleShadow.mp4"
farm "$work/resume.log" "$work/joined.mp4" --from 152 --to 158 --piece 2 --jobs 2
grep -q "^video: 3 parts, 2 already made; 1 to render" "$work/resume.log" || { cat "$work/resume.log"; fail "resume"; }
[[ $(tail -n +2 "$parts/joblog" | wc -l) -eq 1 ]] || fail "the second run ran $(tail -n +2 "$parts/joblog" | wc -l) jobs"
cmp -s "$work/kept.mp4" "$parts/000760-000770-Part_ParticleShadowRainbow.mp4" || fail "a finished part was made again"
same_film "$work/joined.mp4" "$work/single.mp4" 30

# The ssh path: two hosts on a private sshd.
mkdir -p "$work/ssh" && chmod 700 "$work/ssh"
ssh-keygen -q -t ed25519 -N '' -f "$work/ssh/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$work/ssh/client_key"
cp "$work/ssh/client_key.pub" "$work/ssh/authorized_keys"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/ssh/sshd_config" <<CONF
Port $port
ListenAddress 127.0.0.1
HostKey $work/ssh/host_key
PidFile $work/ssh/sshd.pid
AuthorizedKeysFile $work/ssh/authorized_keys
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
UsePAM no
StrictModes no
CONF
[[ $(id -u) -ne 0 || -d /run/sshd ]] || mkdir -p /run/sshd  # sshd's privilege separation folder
/usr/sbin/sshd -D -e -f "$work/ssh/sshd_config" 2>"$work/ssh/sshd.log" &
sshd_pid=$!
opts="-p $port -i $work/ssh/client_key -o BatchMode=yes -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR"
for _ in $(seq 50); do ssh $opts 127.0.0.1 true 2>/dev/null && break; sleep 0.2; done
ssh $opts 127.0.0.1 true || { cat "$work/ssh/sshd.log"; fail "the private sshd does not answer"; }
printf '1/ssh %s 127.0.0.1\n1/ssh %s localhost\n' "$opts" "$opts" >"$work/hosts"

# Across the cut at 255.8 s: LidarAOStart 1275-1278, LidarAO 1279-1282.
export VELLUNA_FARM_REMOTE_DIR=$work/remote
farm "$work/ssh.log" "$work/remote.mp4" --from 255 --to 256.6 --hosts "$work/hosts"
unset VELLUNA_FARM_REMOTE_DIR
grep -q "^video: 2 parts, 0 already made; 2 to render" "$work/ssh.log" || { cat "$work/ssh.log"; fail "not two parts"; }
[[ -x $work/remote/bin/velluna && -d $work/remote/newresources && ! -L $work/remote/newresources ]] ||
    fail "the run tree was not sent to the hosts"
ls "$work"/remote/parts/*/*.mp4 | grep -c . | grep -qx 2 || fail "the hosts did not render the two parts"
hosts=$(tail -n +2 "$(ls "$work"/remote.mp4.farm/parts/*/joblog)" | cut -f2 | sort -u | wc -l)
[[ $hosts -eq 2 ]] || fail "the parts ran on $hosts host(s), not 2"
single "$work/single2.mp4" 255 256.6
same_film "$work/remote.mp4" "$work/single2.mp4" 8
echo PASS
