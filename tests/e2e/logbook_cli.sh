# The logbook through zv-cli as a pilot keeps it: append a download, restore the backup,
# insert a flight by hand, and the two evaluations; the refusals on the way.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

data="$ZV_TEST_DATA/logbook"
start=$(zv_workdir)
PATH=/usr/bin:/bin run_cli "$start" init
expect_status 0
book="$start/Data/Zv/Logbuch"
main="$book/Flugbuch.log"
cp "$data/append_main.log" "$main"

# Compares standard output with the lines given.
expect_out() {
    printf '%s\n' "$@" >"$ZV_E2E_OUTPUT/expected.out"
    cmp -s "$CLI_OUT" "$ZV_E2E_OUTPUT/expected.out" || {
        diff "$ZV_E2E_OUTPUT/expected.out" "$CLI_OUT" >&2 || true
        fail "unexpected output"
    }
}

# --- Appending a download: sorted, without duplicates and the example flight, after a backup.
run_cli "$start" --no logbook-append "$data/append_download.log"
expect_status 1
expect_same "$main" "$data/append_main.log"
run_cli "$start" --yes logbook-append "$data/append_download.log"
expect_status 0
expect_out "[Frage] Wollen Sie die Datei $data/append_download.log" \
    "wirklich an das Flugbuch angehängen? -> OK" "[Dokument] $main"
expect_same "$main" "$data/append_main~appended.log"
expect_same "$book/Flugbuch.bak" "$data/append_main.log"

# --- Not the main logbook itself, and not a download cut off before its end.
run_cli "$start" --yes logbook-append "$main"
expect_status 1
expect_out "[Achtung] Sie können nicht das Flugbuch um sich selbst erweitern!"
head -c 1300 "$data/append_download.log" >"$start/cut.log"
run_cli "$start" --yes logbook-append cut.log
expect_status 1
expect_out "[Frage] Wollen Sie die Datei $start/cut.log" \
    "wirklich an das Flugbuch angehängen? -> OK" \
    "[Achtung] Flugbuch hat falsches Format" "" "[Dokument] $book/Flugbuch.err"
expect_same "$main" "$data/append_main~appended.log"
expect_same "$book/Flugbuch.bak" "$data/append_main.log"

# --- Restoring the backup.
run_cli "$start" logbook-restore
expect_status 0
expect_out "[Dokument] $main"
expect_same "$main" "$data/append_main.log"

# --- Inserting a flight; the dialog's checks refuse with their messages.
run_cli "$start" logbook-insert --date 05.06.2003 --site kössen --start 10:00 --start-alt 1500 \
    --landing 10:45 --landing-alt 600 --distance 12.5
expect_status 0
expect_out "[Dokument] $main"
expect_same "$main" "$data/append_main~inserted.log"
cp "$main" "$ZV_E2E_OUTPUT/inserted.log"
run_cli "$start" logbook-insert --site KOSSEN --landing-alt 10001
expect_status 1
expect_out "[Achtung] Geben Sie bitte eine ganze Zahl zwischen 0 und 10000 ein."
run_cli "$start" logbook-insert --site "SCHLICKER ALM"
expect_status 1
expect_out "[Achtung] Geben Sie bitte nicht mehr als 11 Zeichen ein."
run_cli "$start" logbook-insert --distance 1000.5
expect_status 1
expect_out "[Achtung] Geben Sie bitte eine Zahl zwischen 0 und 1000 ein."
run_cli "$start" logbook-insert --start 10:01 --landing 10:00
expect_status 1
expect_out "[Info] Landezeit kleiner als Startzeit" ""
expect_same "$main" "$ZV_E2E_OUTPUT/inserted.log"

# --- The evaluations.
cp "$data/hours.log" "$main"
run_cli "$start" stats-hours --from 01.01.1995 --to 31.12.2005
expect_status 0
expect_out "[Dokument] $book/Flugbuch.mfs"
expect_same "$book/Flugbuch.mfs" "$data/hours~1995-2005.mfs"
run_cli "$start" stats-hours --from 01.01.1990 --to 01.01.2009
expect_status 1
expect_out "[Stopp] Die Auswertung umfaßt mehr als 19 Jahre." \
    " Bitte schränken Sie den Auswertezeitraum ein!"
run_cli "$start" stats-sites --from 02.01.2000 --to 01.01.2000
expect_status 1
expect_out "[Achtung] Ende der Auswertung muß später sein als Beginn!"
cp "$data/sites.log" "$main"
run_cli "$start" stats-sites --from 01.03.2004 --to 31.03.2004
expect_status 0
expect_same "$book/Flugbuch.tfs" "$data/sites~march_2004.tfs"
run_cli "$start" stats-hours --all
expect_status 0
tail -c 33 "$book/Flugbuch.mfs" | grep -q 'TIME SPAN   01.03.04 - 09.09.04' || fail "span of --all"

# --- The charts, drawn without a display; the other commands never need one either.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
expect_png() {
    [[ $(file -b "$1") == "PNG image data, $2, 8-bit/color RGB, non-interlaced" ]] ||
        fail "$1: $(file -b "$1")"
}
cp "$data/hours.log" "$main"
cp "$main" "$ZV_E2E_OUTPUT/charted.log"
run_cli "$start" chart hours --from 01.01.1995 --to 31.12.2005 --png hours.png
expect_status 0
[[ ! -s $CLI_OUT ]] || fail "chart hours printed $(cat "$CLI_OUT")"
expect_png "$start/hours.png" "1200 x 840"
# A chart covers a span too long for the report.
run_cli "$start" chart hours --from 01.01.1990 --to 01.01.2009 --png long.png
expect_status 0
expect_png "$start/long.png" "1200 x 840"
run_cli "$start" chart hours --from 01.01.1900 --to 01.01.2001 --png long.png
expect_status 1
expect_out "[Stopp] Die Grafik umfaßt mehr als 100 Jahre." \
    " Bitte schränken Sie den Auswertezeitraum ein!"
run_cli "$start" chart sites --from 02.01.2000 --to 01.01.2000 --png sites.png
expect_status 1
expect_out "[Achtung] Ende der Auswertung muß später sein als Beginn!"
run_cli "$start" chart sites --all --png "$ZV_E2E_OUTPUT/sites.png"
expect_status 0
expect_png "$ZV_E2E_OUTPUT/sites.png" "1000 x 296"
run_cli "$start" chart profile "$ZV_TEST_DATA/exchange/flight" --png profile.png
expect_status 0
expect_png "$start/profile.png" "1200 x 600"
run_cli "$start" chart profile missing.zvc --png profile.png
expect_status 1
# Never over the logbook.
run_cli "$start" chart hours --all --png Data/Zv/Logbuch/Flugbuch.log
expect_status 1
expect_same "$main" "$ZV_E2E_OUTPUT/charted.log"
run_cli "$start" stats-hours --all
expect_status 0

# --- Usage errors.
for args in "stats-hours" "stats-sites --all --from 01.01.2000" "stats-hours --from 01.01.2000" \
    "logbook-insert --date 31.02.2003" "logbook-insert --start 24:00" "logbook-restore extra" \
    "chart hours --all" "chart weeks --all --png a.png" "chart sites --all --from 01.01.2000 --png a.png" \
    "chart profile --png a.png" "chart hours --all --png a.png extra"; do
    # shellcheck disable=SC2086
    run_cli "$start" $args
    expect_status 2
done

leftovers=$(find "$start" -name '*.tmp')
[[ -z $leftovers ]] || fail "temporary files left: $leftovers"
echo "logbook_cli: all passed"
