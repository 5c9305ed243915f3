# The lift database and the conversions of lifts, takeoff sites and lines through zv-cli,
# as a new pilot uses them after the first start.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

data="$ZV_TEST_DATA/lifts"
start=$(zv_workdir)
PATH=/usr/bin:/bin run_cli "$start" init
expect_status 0
lifts="$start/Data/Zv/Lifts"
ozi="$start/Data"
takeoffs="$start/Data/Zv/Startplaetze"
database="$lifts/Lifts.lft"

# Compares standard output with the lines given.
expect_out() {
    printf '%s\n' "$@" >"$ZV_E2E_OUTPUT/expected.out"
    cmp -s "$CLI_OUT" "$ZV_E2E_OUTPUT/expected.out" || {
        diff "$ZV_E2E_OUTPUT/expected.out" "$CLI_OUT" >&2 || true
        fail "unexpected output"
    }
}

# --- Extraction: the remembered window selects neither example lift; 51 north both.
run_cli "$start" liftdb-extract --out Taunus.lft
expect_status 1
expect_out "[Info] Keine Aufwinde gefunden!"
[[ ! -e "$lifts/Taunus.lft" ]] || fail "an empty selection was written"
run_cli "$start" liftdb-extract --lat 40 51 --out Taunus.lft
expect_status 0
expect_out "[Dokument] $lifts/Taunus.lft"
[[ $(grep -c '^DE.BOP' "$lifts/Taunus.lft") -eq 2 ]] || fail "both example lifts expected"
[[ $(sed -n 16p "$start/settings.ini" | tr -d '\r') == "51.0" ]] || fail "latHigh not remembered"
# The wind window: only the lift with wind from 76.
run_cli "$start" liftdb-extract --wind 50 80 --out "$lifts/Ost.lft"
expect_status 0
[[ $(grep -c '^DE.BOP' "$lifts/Ost.lft") -eq 1 ]] || fail "one lift expected"
grep -q ' 076 ' "$lifts/Ost.lft" || fail "the lift with wind 76 expected"
[[ $(sed -n 19,21p "$start/settings.ini" | tr -d '\r' | paste -sd' ') == "1 50 80" ]] ||
    fail "wind window not remembered"

# --- The dialog's checks, in their order; the database itself is refused.
run_cli "$start" liftdb-extract --lat 51 50 --wind 90 10 --out ""
expect_status 1
expect_out "[Achtung] Latitude-Koordintenfenster nicht korrekt!" "untere Ecke > obere Ecke"
run_cli "$start" liftdb-extract --wind 90 10 --out ""
expect_status 1
expect_out "[Achtung] Bitte Namen für neue Liftdatei eingeben!"
run_cli "$start" liftdb-extract --lat 40 91 --out a.lft
expect_status 1
expect_out "[Achtung] Geben Sie bitte eine Zahl zwischen -90 und 90 ein."
cp "$database" "$ZV_E2E_OUTPUT/example.lft"
run_cli "$start" liftdb-extract --out Lifts.lft
expect_status 1
expect_out "[Info] Sie haben die Aufwinddatenbank ausgewählt." \
    "Bitte wählen Sie eine andere Aufwinddatei!"
expect_same "$database" "$ZV_E2E_OUTPUT/example.lft"

# --- Appending a download with a backup, then restoring it.
cp "$data/database.lft" "$database"
run_cli "$start" liftdb-append "$data/download.lft"
expect_status 0
expect_out "[Dokument] $database" "[Info] Sicherungskopie erstellt, Aufwinddatei angehängt!"
expect_same "$database" "$data/database~appended.lft"
expect_same "$lifts/Lifts.bak" "$data/database.lft"
run_cli "$start" liftdb-append "$database"
expect_status 1
expect_same "$database" "$data/database~appended.lft"
run_cli "$start" liftdb-restore
expect_status 0
expect_out "[Dokument] $database"
expect_same "$database" "$data/database.lft"

# --- Lifts on the map.
run_cli "$start" lifts2wpt "$data/climbs.lft"
expect_status 0
expect_out "[Dokument] $ozi/Lift.wpt" "[Info] Lift-Datei in Ozi-Wegunkte konvertiert." \
    "Starten Sie den OziExplorer," "um sich die Aufwinde" "Lift.wpt auf der Karte anzusehen."
expect_same "$ozi/Lift.wpt" "$data/climbs~map.wpt"

# --- Takeoff sites there and back; an existing target only after Yes.
cp "$data/takeoffs~ozi.wpt" "$ozi/Sites.wpt"
run_cli "$start" ozi2tof Data/Sites.wpt
expect_status 0
expect_out "[Dokument] $takeoffs/Sites.tof"
run_cli "$start" tof2ozi "$takeoffs/Sites.tof"
expect_status 1
expect_out "[Frage] Die Datei $ozi/Sites.wpt" "existiert schon. Soll sie überschrieben werden? -> Nein"
run_cli "$start" --yes tof2ozi "$takeoffs/Sites.tof"
expect_status 0
expect_same "$ozi/Sites.wpt" "$data/takeoffs~ozi.wpt"

# --- Waypoints to lines.
cp "$data/lines.wpt" "$ozi/Alpen.wpt"
run_cli "$start" wpt2lines "$ozi/Alpen.wpt"
expect_status 0
expect_out "[Dokument] $lifts/Alpen.lne"
expect_same "$lifts/Alpen.lne" "$data/lines~lines.lne"
