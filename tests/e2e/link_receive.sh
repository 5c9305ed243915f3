# zv-cli receives from zv-sim on a pseudo-terminal as from the instrument: a logbook, a
# flight, a stream that falls silent, and the overwrite question.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

data="$ZV_TEST_DATA/link"
expect_text() {
    printf '%s' "$2" >"$ZV_E2E_OUTPUT/expected"
    expect_same "$1" "$ZV_E2E_OUTPUT/expected"
}

work=$(zv_workdir)
ZV_E2E_OUTPUT=$(zv_workdir)
source "$ZV_E2E_LIB/sim_helpers.sh"
PATH=/usr/bin:/bin run_cli "$work" init
expect_status 0
logbooks="$work/Data/Zv/Logbuch"
instruction_logbook='[Info] Stellen Sie den Zirrova auf
EINSTELLUNGEN
UEBERSICHT-AUSGABE
LOGBUCH
und nach Bestätigung dieses Dialoges drücken Sie die ->Taste
'

# --- A logbook, kept by the instrument with bare line feeds: the file has CR LF.
tr -d '\r' <"$data/logbook.log" >"$ZV_E2E_OUTPUT/logbook_lf.log"
start_sim send-text "$ZV_E2E_OUTPUT/logbook_lf.log"
ZV_COM1=$SIM_DEVICE run_cli "$work" receive logbook Data/Zv/Logbuch/neu
expect_status 0
expect_sim 0
expect_same "$logbooks/neu.log" "$data/logbook.log"
expect_text "$CLI_OUT" "$instruction_logbook[Dokument] $logbooks/neu.log
"
head -n 3 "$CLI_ERR" >"$ZV_E2E_OUTPUT/progress"
expect_text "$ZV_E2E_OUTPUT/progress" 'Das Programm ist empfangsbereit!
Bitte starten Sie die Übertragung am Zirrova
Der Timer endet in 10 sec
'
grep -qx 'Daten werden empfangen' "$CLI_ERR" || fail "no progress while receiving"

# --- A flight on COM2, reached through the link zv-sim makes; no document.
run_cli "$work" port 2
expect_status 0
start_sim --link "$ZV_E2E_OUTPUT/com2" send-text "$data/flight.zvc"
ZV_COM2="$ZV_E2E_OUTPUT/com2" run_cli "$work" receive flight Data/Zv/flug
expect_status 0
expect_sim 0
expect_same "$work/Data/Zv/flug.zvc" "$data/flight.zvc"
tail -n 1 "$CLI_OUT" >"$ZV_E2E_OUTPUT/last"
expect_text "$ZV_E2E_OUTPUT/last" '[Info] Flugdaten erfolgreich übertragen
'
grep -q '^\[Dokument\]' "$CLI_OUT" && fail "a flight was opened as a document"
[[ ! -e $ZV_E2E_OUTPUT/com2 ]] || fail "zv-sim left its link behind"
run_cli "$work" port 1
expect_status 0

# --- The instrument pauses after five lines: the first five lines stay and are shown.
start_sim --gap-after-line 5 --gap-ms 800 send-text "$data/logbook.log"
ZV_COM1=$SIM_DEVICE run_cli "$work" receive logbook Data/Zv/Logbuch/luecke.log
expect_status 1
expect_sim 1
head -n 5 "$data/logbook.log" >"$ZV_E2E_OUTPUT/five.log"
expect_same "$logbooks/luecke.log" "$ZV_E2E_OUTPUT/five.log"
expect_text "$CLI_OUT" "$instruction_logbook[Info] Die Übertragung wurde abgebrochen

[Dokument] $logbooks/luecke.log
"

# --- An existing file: No brings the dialog back, which has no answer left; Yes replaces.
printf 'alt\r\n' >"$ZV_E2E_OUTPUT/old.log"
cp "$ZV_E2E_OUTPUT/old.log" "$logbooks/alt.log"
run_cli "$work" --no receive logbook Data/Zv/Logbuch/alt.log
expect_status 1
expect_text "$CLI_OUT" '[Frage] Die Datei existiert schon.
Soll sie überschrieben werden? -> Nein
'
expect_same "$logbooks/alt.log" "$ZV_E2E_OUTPUT/old.log"
start_sim send-text "$data/logbook.log"
ZV_COM1=$SIM_DEVICE run_cli "$work" --yes receive logbook Data/Zv/Logbuch/alt.log
expect_status 0
expect_sim 0
expect_same "$logbooks/alt.log" "$data/logbook.log"

# --- A port that is not there.
ZV_COM1=/dev/zv-no-such-port run_cli "$work" receive waypoints Data/Zv/nichts
expect_status 1
expect_text "$CLI_OUT" '[Info] Stellen Sie den Zirrova auf
EINSTELLUNGEN
UEBERSICHT-AUSGABE
WEGPUNKTE
und nach Bestätigung dieses Dialoges drücken Sie die ->Taste
[Info] COM1 ist nicht verfügbar
Wählen Sie einen anderen Port.
Gerät /dev/zv-no-such-port: nicht vorhanden
'

echo "link_receive: all passed"
