# zv-cli map as a script uses it after the first start: the example waypoints, a flight
# and the example lifts as a PNG picture, without a display and without tiles (the tile
# server is a port where nothing listens), and the ways the command line can be wrong.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

start=$(zv_workdir)
PATH=/usr/bin:/bin run_cli "$start" init
expect_status 0
cp "$ZV_TEST_DATA/map/thermal_flight.zvc" "$start/Data/Zv/Flug.zvc"

# No display, no platform chosen: the command draws offscreen on its own. The tile cache
# goes into the work directory.
export XDG_CACHE_HOME="$start/cache"
export ZV_TILE_URL='http://127.0.0.1:9/{z}/{x}/{y}.png'
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# Width and height from the PNG header.
png_size() {
    local bytes
    bytes=($(od -An -tu1 -j16 -N8 "$1"))
    printf '%dx%d' $(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3])) \
        $(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))
}
expect_png() {
    [[ $(head -c 8 "$1" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
        fail "$1 is no PNG"
    [[ $(png_size "$1") == "$2" ]] || fail "$1 is $(png_size "$1"), expected $2"
}

run_cli "$start" map Data/Zv/Example.wpt Data/Zv/Flug.zvc Data/Zv/Lifts/Lifts.lft --png karte.png
expect_status 0
[[ ! -s $CLI_OUT ]] || fail "map printed: $(cat "$CLI_OUT")"
grep -q '^Keine Kartenkacheln von 127.0.0.1' "$CLI_ERR" || fail "no line about the tiles"
expect_png "$start/karte.png" 1024x768

run_cli "$start" map Data/Zv/Flug --png "$start/klein.png" --size 320x200
expect_status 1 # no extension: the dialog's filter names none, the file is not there
run_cli "$start" map Data/Zv/Flug.zvc --png "$start/klein.png" --size 320x200
expect_status 0
expect_png "$start/klein.png" 320x200

# The command line is wrong: status 2, nothing written.
for args in "map Data/Zv/Flug.zvc" "map --png a.png" "map Data/Zv/Flug.zvc --png a.png --size 0x0" \
    "map Data/Zv/Flug.zvc --png a.png --size 1024" "map Data/Zv/Flug.zvc --png a.png --farbe rot"; do
    # shellcheck disable=SC2086
    run_cli "$start" $args
    expect_status 2
done
[[ ! -e $start/a.png ]] || fail "a picture was written after a usage error"

# A file the readers refuse: their message, status 1.
run_cli "$start" map Data/Zv/Logbuch/Flugbuch.log --png a.png
expect_status 1
grep -q '^\[Achtung\] Die Datei .*Flugbuch.log$' "$CLI_OUT" || fail "no message: $(cat "$CLI_OUT")"
[[ ! -e $start/a.png ]] || fail "a picture was written for a file that is no map file"

# Without settings.ini, as every command but init.
empty=$(zv_workdir)
run_cli "$empty" map "$start/Data/Zv/Flug.zvc" --png a.png
expect_status 1
