# zv-cli init in a new directory, as a pilot sets up zv for the first time; then the port
# choice, and the ways zv-cli refuses to run.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

data="$ZV_TEST_DATA"
examples=(Data/Example.wpt Data/Zv/Example.wpt Data/Zv/Logbuch/Flugbuch.log Data/Zv/Lifts/Lifts.lft)

# settings.ini as the first start in $1 writes it, neither program found.
expected_settings() {
    sed "s|@START@|$1|g" "$data/app/settings_first_start.ini.in"
}

# A search path without OziExplorer and ZVView, so that the result does not depend on
# the machine.
noprograms=/usr/bin:/bin

# --- The first start in an empty directory.
start=$(zv_workdir)
PATH=$noprograms run_cli "$start" init
expect_status 0
expect_same "$CLI_OUT" "$data/cli/init_first_start.out"
[[ ! -s $CLI_ERR ]] || fail "init wrote to standard error: $(cat "$CLI_ERR")"
for file in "${examples[@]}"; do
    expect_same "$start/$file" "$data/app/first_start/$file"
done
for dir in Data/Zv/Routen Data/Zv/Startplaetze; do
    [[ -d $start/$dir ]] || fail "$dir was not made"
done
expected_settings "$start" >"$ZV_E2E_OUTPUT/settings.ini"
expect_same "$start/settings.ini" "$ZV_E2E_OUTPUT/settings.ini"
leftovers=$(find "$start" -name '*.tmp')
[[ -z $leftovers ]] || fail "temporary files left: $leftovers"

# --- init again: settings.ini is read as zv reads it, nothing changes.
PATH=$noprograms run_cli "$start" init
expect_status 0
[[ ! -s $CLI_OUT ]] || fail "second init printed: $(cat "$CLI_OUT")"
expect_same "$start/settings.ini" "$ZV_E2E_OUTPUT/settings.ini"

# --- Port choice: COM2 is line 13 "1", COM1 "0"; written right away.
run_cli "$start" port 2
expect_status 0
[[ ! -s $CLI_OUT ]] || fail "port printed: $(cat "$CLI_OUT")"
expected_settings "$start" | sed '13s/^0/1/' >"$ZV_E2E_OUTPUT/settings_com2.ini"
expect_same "$start/settings.ini" "$ZV_E2E_OUTPUT/settings_com2.ini"
run_cli "$start" --yes port 1
expect_status 0
expect_same "$start/settings.ini" "$ZV_E2E_OUTPUT/settings.ini"

# --- A pilot's own logbook and lift database are kept by init, whatever --no says.
own=$(zv_workdir)
mkdir -p "$own/Data/Zv/Logbuch" "$own/Data/Zv/Lifts"
printf 'mein Flugbuch\r\n' >"$own/Data/Zv/Logbuch/Flugbuch.log"
printf 'meine Aufwinde\r\n' >"$own/Data/Zv/Lifts/Lifts.lft"
cp "$own/Data/Zv/Logbuch/Flugbuch.log" "$own/Data/Zv/Lifts/Lifts.lft" "$ZV_E2E_OUTPUT/"
PATH=$noprograms run_cli "$own" --no init
expect_status 0
expect_same "$own/Data/Zv/Logbuch/Flugbuch.log" "$ZV_E2E_OUTPUT/Flugbuch.log"
expect_same "$own/Data/Zv/Lifts/Lifts.lft" "$ZV_E2E_OUTPUT/Lifts.lft"
expect_same "$own/Data/Zv/Example.wpt" "$data/app/first_start/Data/Zv/Example.wpt"
expected_settings "$own" >"$ZV_E2E_OUTPUT/own.ini"
expect_same "$own/settings.ini" "$ZV_E2E_OUTPUT/own.ini"

# --- Without settings.ini only init runs; nothing is written.
empty=$(zv_workdir)
for answer in --no --yes; do
    run_cli "$empty" $answer port 1
    expect_status 1
    expect_same "$CLI_OUT" "$data/cli/settings_missing.out"
done
[[ -z $(ls -A "$empty") ]] || fail "zv-cli wrote into a directory without settings.ini"

# --- settings.ini of another version: the message, status 1, the file as it was.
stale=$(zv_workdir)
for first in 'Version1.4 ' 'version1.4' 'invalid' 'Version1.3'; do
    printf '%s\r\n1\r\n12\r\n' "$first" >"$stale/settings.ini"
    cp "$stale/settings.ini" "$ZV_E2E_OUTPUT/stale.ini"
    run_cli "$stale" port 2
    expect_status 1
    expect_same "$CLI_OUT" "$data/cli/settings_wrong_version.out"
    expect_same "$stale/settings.ini" "$ZV_E2E_OUTPUT/stale.ini"
done

# init does not reset a settings.ini of another version: zv would, and ask for the
# values on its sheet, which zv-cli cannot show.
run_cli "$stale" --yes init
expect_status 1
expect_same "$CLI_OUT" "$data/cli/settings_wrong_version.out"
expect_same "$stale/settings.ini" "$ZV_E2E_OUTPUT/stale.ini"
[[ ! -e $stale/Data ]] || fail "init built a tree beside a settings.ini of another version"

# --- init that could not write a file of the tree reports it and fails.
blocked=$(zv_workdir)
printf 'a file where the directory should be' >"$blocked/Data"
PATH=$noprograms run_cli "$blocked" init
expect_status 1
grep -q "^\[Stopp\] Die Datei $blocked/Data/Example.wpt$" "$CLI_OUT" || fail "$(cat "$CLI_OUT")"
grep -q "^konnte nicht geschrieben werden!$" "$CLI_OUT" || fail "$(cat "$CLI_OUT")"

# --- Usage errors: status 2 with the usage text, before settings.ini is looked at.
for args in "" "--yes" "frobnicate" "port" "port 3" "port 1 2" "--yes --no port 1" \
    "--maybe port 1" "init extra" "port --lat 1 2"; do
    # shellcheck disable=SC2086
    run_cli "$empty" $args
    expect_status 2
    grep -q '^Aufruf: zv-cli \[--yes | --no\] BEFEHL \[ARGUMENTE\]$' "$CLI_ERR" ||
        fail "no usage text for '$args'"
    [[ ! -s $CLI_OUT ]] || fail "usage error '$args' printed on standard output"
done

echo "cli_init: all passed"
