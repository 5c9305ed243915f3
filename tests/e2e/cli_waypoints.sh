# zv-cli zv2ozi and ozi2zv in a freshly set-up start directory: nothing to convert at
# first, then each example converted once, never overwriting, and an empty source.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

start=$(zv_workdir)
PATH=/usr/bin:/bin run_cli "$start" init
expect_status 0
expected=$(zv_workdir)

# Right after the first start both directories hold an Example.wpt: nothing is written.
run_cli "$start" zv2ozi
expect_status 0
printf '%s\n' "[Info] Wenn Sie Zv-Wegpunkte konvertieren möchten," \
    "sollten Sie die entsprechenden Ozi-Dateien zuerst löschen." \
    "Vorschlag: Benutzen, Sie dazu das Menue Datei-Öffnen-Ozi Wegpunkte." "" >"$expected/zv2ozi_nothing"
expect_same "$CLI_OUT" "$expected/zv2ozi_nothing"
expect_same "$start/Data/Example.wpt" "$ZV_TEST_DATA/app/first_start/Data/Example.wpt"

run_cli "$start" --yes ozi2zv
expect_status 0
printf '%s\n' "[Info] Wenn Sie Ozi-Wegpunkte konvertieren möchten," \
    "sollten Sie die entsprechenden Zv-Dateien zuerst löschen." \
    "Vorschlag: Benutzen, Sie dazu das Menue Datei-Öffnen-Zv Wegpunkte." "" >"$expected/ozi2zv_nothing"
expect_same "$CLI_OUT" "$expected/ozi2zv_nothing"

# The OziExplorer example removed: the instrument example becomes the new one, opened.
rm "$start/Data/Example.wpt"
run_cli "$start" zv2ozi
expect_status 0
printf '%s\n' "[Dokument] $start/Data/Example.wpt" "[Info] Zv-Wegpunkte konvertiert!" >"$expected/zv2ozi_done"
expect_same "$CLI_OUT" "$expected/zv2ozi_done"
head -c 38 "$start/Data/Example.wpt" | grep -q '^OziExplorer Waypoint File Version 1.0' ||
    fail "zv2ozi did not write an OziExplorer waypoint file"

# And back: the instrument example removed, written again from the OziExplorer file.
cp "$start/Data/Zv/Example.wpt" "$expected/zv_example.wpt"
rm "$start/Data/Zv/Example.wpt"
run_cli "$start" ozi2zv
expect_status 0
printf '%s\n' "[Dokument] $start/Data/Zv/Example.wpt" "[Info] Ozi-Wegpunkte konvertiert!" >"$expected/ozi2zv_done"
expect_same "$CLI_OUT" "$expected/ozi2zv_done"
grep -q 'AGUADULCE-S' "$start/Data/Zv/Example.wpt" || fail "ozi2zv lost the waypoints"

# No instrument waypoint file at all: the question icon, status 1.
rm "$start/Data/Zv/Example.wpt"
run_cli "$start" zv2ozi
expect_status 1
printf '%s\n' "[Frage] Keine Zv-Wegpunkte Datei vorhanden oder" \
    "falsche Pfadangabe in Einstellungen?" >"$expected/zv2ozi_none"
expect_same "$CLI_OUT" "$expected/zv2ozi_none"

# Arguments are a usage error.
run_cli "$start" zv2ozi extra
expect_status 2

echo "cli_waypoints: all passed"
