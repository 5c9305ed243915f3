# The main logbook and the lift database as zv-cli keeps them when things go wrong: a
# second zv-cli at the same time, kill -9 in the middle of an append, a lock held by
# another program, hostile input files, settings under which two files are one, and a
# download aimed at the logbook. A reduced run of scripts/stress-precious-files.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"
source "$ZV_E2E_LIB/precious_helpers.sh"

start=$(zv_workdir)
PATH=/usr/bin:/bin run_cli "$start" init
expect_status 0
book="$start/Data/Zv/Logbuch"
main="$book/Flugbuch.log"
files=$(zv_workdir)

# --- kill -9 at random moments of an append: the old or the new logbook, never a mix.
make_logbook 5000 M >"$files/old.log"
make_logbook 200 D 5000 >"$files/download.log"
make_logbook 3 B >"$files/backup.log"
cp "$files/old.log" "$main"
run_cli "$start" --yes logbook-append "$files/download.log"
expect_status 0
cp "$main" "$files/new.log"
kill_appends "$start" "$files/download.log" 10 "$files/old.log" "$files/new.log" "$files/backup.log"

# --- Two appends at the same moment: both in, or one refused that added nothing.
for wait_ms in 5000 0; do
    cp "$files/old.log" "$main"
    concurrent_appends "$start" 5 20 "$wait_ms"
    [[ $(count_sites "$main" M) -eq 5000 ]] || fail "flights of the main logbook were lost"
    rm -rf "$start/concurrent"
done

# --- A lock held elsewhere for longer than the wait: which file is in use, nothing changed.
cp "$files/old.log" "$main"
flock -x "$book/.Flugbuch.log.lock" -c 'sleep 4' &
holder=$!
until ! flock -n "$book/.Flugbuch.log.lock" true; do sleep 0.05; done
ZV_LOCK_WAIT_MS=300 run_cli "$start" --yes logbook-append "$files/download.log"
expect_status 1
grep -qx "\[Stopp\] Die Datei $main" "$CLI_OUT" || fail "the file in use was not named"
grep -q "wird gerade von einem anderen Zv benutzt." "$CLI_OUT" || fail "unexpected: $(cat "$CLI_OUT")"
expect_same "$main" "$files/old.log"
kill "$holder" 2>/dev/null || true
wait "$holder" 2>/dev/null || true

# --- Hostile files to append: refused at once with a message, nothing changed.
mkfifo "$files/pipe.log"
ln -s /dev/zero "$files/zero.log"
truncate -s $(((1 << 30) + 1)) "$files/huge.log"
for hostile in pipe zero huge; do
    run_cli "$start" --yes logbook-append "$files/$hostile.log"
    expect_status 1
    grep -q '^\[Stopp\]' "$CLI_OUT" || fail "$hostile: $(cat "$CLI_OUT")"
    expect_same "$main" "$files/old.log"
done
grep -q "ist größer als 1 GiB und wird nicht gelesen." "$CLI_OUT" || fail "$(cat "$CLI_OUT")"

# --- A download is never received into the logbook: the dialog comes back (no answer
# left here), no port is opened.
ZV_COM1=/nonexistent run_cli "$start" --yes receive logbook "$main"
expect_status 1
grep -q "ist das Flugbuch und kann hier nicht überschrieben werden." "$CLI_OUT" ||
    fail "$(cat "$CLI_OUT")"
expect_same "$main" "$files/old.log"

# --- Logbook and lift database under one base name in one directory share a backup:
# "wiederherstellen" would write the lift database over the logbook. Refused.
cp "$start/Data/Zv/Lifts/Lifts.lft" "$book/Flugbuch.lft"
sed -i "10s|.*|$book|;14s|.*|Flugbuch.lft|" "$start/settings.ini"
cp "$book/Flugbuch.lft" "$book/Flugbuch.bak"
run_cli "$start" logbook-restore
expect_status 1
grep -q "^\[Stopp\] Die Sicherungskopie des Flugbuchs und die Sicherungskopie der Aufwinddatenbank" \
    "$CLI_OUT" || fail "$(cat "$CLI_OUT")"
expect_same "$main" "$files/old.log"
