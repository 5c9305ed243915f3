# Flight data files through zv-cli as a pilot handles them after the first start: tracks
# for the map program, and which file belongs to which logbook flight.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

data="$ZV_TEST_DATA/flights"
start=$(zv_workdir)
PATH=/usr/bin:/bin run_cli "$start" init
expect_status 0
zv="$start/Data/Zv"
ozi="$start/Data"
book="$zv/Logbuch"

# Compares standard output with the lines given.
expect_out() {
    printf '%s\n' "$@" >"$ZV_E2E_OUTPUT/expected.out"
    cmp -s "$CLI_OUT" "$ZV_E2E_OUTPUT/expected.out" || {
        diff "$ZV_E2E_OUTPUT/expected.out" "$CLI_OUT" >&2 || true
        fail "unexpected output"
    }
}

# --- No flight downloaded yet.
for command in tracks assign; do
    run_cli "$start" "$command"
    expect_status 1
    expect_out "[Frage] Keine Flug-Datei vorhanden oder" "falsche Pfadangabe in Einstellungen?"
done

# --- A downloaded flight becomes a track, once.
cp "$data/flight.zvc" "$zv/Flug1.zvc"
run_cli "$start" tracks
expect_status 0
expect_out "[Info] Track-Dateien generiert!"
expect_same "$ozi/Flug1.plt" "$data/flight~track.plt"
run_cli "$start" tracks
expect_status 0
expect_out "[Info] Wenn Sie Track-Dateien generieren möchten," \
    "sollten Sie die entsprechenden plt-Dateien zuerst löschen."
expect_same "$ozi/Flug1.plt" "$data/flight~track.plt"

# --- The logbook of the first start holds only the example flight.
run_cli "$start" assign
expect_status 1
expect_out "[Stopp] Das Flugbuch enthält keine Daten oder nur den Beispielflug!"
[[ ! -e $book/Flugbuch.fzd ]] || fail "a copy was written for the example logbook"

# --- A logbook of four flights, numbered from 5, and four more flight files.
cp "$data/assign_main.log" "$book/Flugbuch.log"
for name in a.zvc b.zvc c.zvc blank_first_line.zvc; do
    cp "$data/$name" "$zv/$name"
done
sed -i '2s/.*/5\r/' "$start/settings.ini"
run_cli "$start" assign
expect_status 0
expect_out "[Frage] Format der Datei $zv/blank_first_line.zvc unzulässig?" "Bitte überprüfen!" \
    "[Dokument] $book/Flugbuch.fzd"
expect_same "$book/Flugbuch.fzd" "$data/assign_main~first5.fzd"
expect_same "$book/Flugbuch.log" "$data/assign_main.log"

# --- Tracks of the new files stop at the unreadable one; what was written before stays.
run_cli "$start" tracks
expect_status 1
expect_out "[Frage] Format der Datei $zv/blank_first_line.zvc unzulässig?" "Bitte überprüfen!" \
    "[Achtung] Suchen Sie den Formatfehler in der zvc-Datei" ""
[[ -s $ozi/a.plt && -s $ozi/b.plt ]] || fail "the tracks before the faulty file are missing"
[[ ! -e $ozi/blank_first_line.plt && ! -e $ozi/c.plt ]] || fail "tracks after the fault"
expect_same "$ozi/Flug1.plt" "$data/flight~track.plt"
