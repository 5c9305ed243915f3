# zv-cli export and import checked with GPSBabel, an independent program: every kind of
# export read back by GPSBabel holds the names, positions and altitudes of its source, and
# what GPSBabel writes as GPX, KML or OziExplorer file zv imports as the source had it.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"
command -v gpsbabel >/dev/null || fail "gpsbabel is not installed (scripts/bootstrap installs it)"
check() { python3 "$ZV_E2E_LIB/exchange_check.py" "$@" >/dev/null || fail "check $*"; }

start=$(zv_workdir)
PATH=/usr/bin:/bin run_cli "$start" init
expect_status 0
out=$(zv_workdir)
zv="$start/Data/Zv"
mkdir -p "$zv/Routen" "$zv/Startplaetze"
cp "$zv/Example.wpt" "$zv/Routen/route.wpt"
cp "$ZV_TEST_DATA/link/takeoffs.tof" "$zv/Startplaetze/sites.tof"
cp "$ZV_TEST_DATA/exchange/flight.zvc" "$zv/flight.zvc" # one point off the earth

# source, what it is, and GPSBabel's option for that kind of data
exports=(
    "$zv/Example.wpt waypoints -w"
    "$zv/Routen/route.wpt waypoints -r"
    "$zv/Startplaetze/sites.tof waypoints -w"
    "$zv/Lifts/Lifts.lft lifts -w"
    "$zv/flight.zvc track -t"
)
for entry in "${exports[@]}"; do
    read -r source kind option <<<"$entry"
    for format in gpx kml; do
        target="$out/$(basename "$source").$format"
        run_cli "$start" --yes export "$format" "$source" "$target"
        expect_status 0
        # KML holds a route as a line without names; its points are also Placemarks.
        [[ $format == kml && $option == -r ]] && option=-w
        gpsbabel "$option" -i "$format" -f "$target" -o unicsv -F "$target.csv" ||
            fail "gpsbabel could not read $target"
        check export "$kind" "$source" "$target.csv"
    done
done

# Imports of what GPSBabel writes.
csv="$ZV_TEST_DATA/exchange/import_source.csv"
for format in gpx kml ozi; do
    extension=$format
    [[ $format == ozi ]] && extension=wpt
    written="$out/gpsbabel.$extension"
    gpsbabel -i unicsv -f "$csv" -o "$format" -F "$written" || fail "gpsbabel could not write $format"
    run_cli "$start" --yes import "$written" "$out/imported-$format.wpt"
    expect_status 0
    # OziExplorer files carry the altitude in whole feet: a metre either way.
    check import "$csv" "$out/imported-$format.wpt" "$([[ $format == ozi ]] && echo 1 || echo 0)"
    # zv's own reader takes what the import wrote.
    run_cli "$start" --yes export gpx "$out/imported-$format.wpt" "$out/again-$format.gpx"
    expect_status 0
done

echo "exchange_gpsbabel: all passed"
