# Sourced by the end-to-end tests that run the show with placeholder scenes.
# make_placeholder_tree SHOW SECONDS: a minimal run tree in SHOW (the program, the shaders,
# the flow field the show cannot start without, a loading picture) with a sine tone of
# SECONDS as the soundtrack.
make_placeholder_tree() {
    local show=$1 seconds=$2
    mkdir -p "$show/bin" "$show/newresources" "$show/music"
    cp "$VELLUNA_BUILD/velluna" "$show/bin/"
    "$VELLUNA_SOURCE/scripts/install-shaders" "$VELLUNA_SOURCE/content/shaders" "$show/shaders" >/dev/null
    # A still flow field (zeros) and a one-texel map.
    truncate -s 50331648 "$show/newresources/velocity.dat"
    printf '\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00' >"$show/newresources/voronoimap.bin"
    convert -size 256x256 xc:black -fill white -draw "circle 128,128 128,40" "$show/newresources/theloader.jpg"
    ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=$seconds" -ac 2 -ar 44100 "$show/music/Tessaline.mp3"
}
