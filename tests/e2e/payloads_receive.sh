# zv-cli receives takeoff sites from zv-sim as from the instrument: the takeoff site file
# it writes holds the sites zv-sim sent, byte for byte, and is opened.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

work=$(zv_workdir)
ZV_E2E_OUTPUT=$(zv_workdir)
source "$ZV_E2E_LIB/sim_helpers.sh"
PATH=/usr/bin:/bin run_cli "$work" init
expect_status 0
sites="$work/Data/Zv/Startplaetze"

# --- Four sites; the second arrives once with a wrong checksum before the right copy.
start_sim --corrupt 2 send-takeoffs "$ZV_TEST_DATA/link/takeoffs.tof"
ZV_COM1=$SIM_DEVICE run_cli "$work" receive takeoffs Data/Zv/Startplaetze/neu
expect_status 0
expect_sim 0
expect_same "$sites/neu.tof" "$ZV_TEST_DATA/link/takeoffs.tof"
printf '%s\n' '[Info] Stellen Sie den Zirrova auf' 'EINSTELLUNGEN' 'UEBERSICHT-AUSGABE' \
    'STARTPL.<->ZVCOMM' 'Dann -> Taste drücken' \
    'und nach Bestätigung dieses Dialoges drücken Sie die SENDE-Taste' \
    "[Dokument] $sites/neu.tof" >"$ZV_E2E_OUTPUT/expected"
expect_same "$CLI_OUT" "$ZV_E2E_OUTPUT/expected"

# --- Sent back to the instrument, the file gives the same packets again.
start_sim --packets 4 receive-packets "$ZV_E2E_OUTPUT/sites.hex"
ZV_COM1=$SIM_DEVICE run_cli "$work" send takeoffs Data/Zv/Startplaetze/neu.tof
expect_status 0
expect_sim 0
[[ $(wc -l <"$ZV_E2E_OUTPUT/sites.hex") -eq 4 ]] || fail "not four takeoff packets"
tail -n 3 "$CLI_OUT" >"$ZV_E2E_OUTPUT/last"
printf '%s\n' '[Info] Daten wurden übertragen.' 'Schauen Sie in das Zv-Menü Startplätze,' \
    'da das Display nicht aktualisiert wird!' >"$ZV_E2E_OUTPUT/expected"
expect_same "$ZV_E2E_OUTPUT/last" "$ZV_E2E_OUTPUT/expected"

echo "payloads_receive: all passed"
