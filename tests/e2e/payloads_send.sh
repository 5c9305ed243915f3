# zv-cli sends waypoints, lifts and lines to zv-sim as to the instrument: the packets that
# arrive are the expected bytes, and each upload ends with its success message.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

work=$(zv_workdir)
ZV_E2E_OUTPUT=$(zv_workdir)
source "$ZV_E2E_LIB/sim_helpers.sh"
PATH=/usr/bin:/bin run_cli "$work" init
expect_status 0

# --- The example waypoints of the first start.
start_sim --packets 2 receive-packets "$ZV_E2E_OUTPUT/waypoints.hex"
ZV_COM1=$SIM_DEVICE run_cli "$work" send waypoints Data/Zv/Example.wpt
expect_status 0
expect_sim 0
expect_same "$ZV_E2E_OUTPUT/waypoints.hex" "$ZV_TEST_DATA/link/example_wpt.packets"
printf '%s\n' '[Info] Stellen Sie den Zirrova auf' 'WEGPUNKTE' \
    'Drücken Sie die ->Taste bis Empfangsbereit erscheint' '' \
    '[Info] Daten wurden übertragen' >"$ZV_E2E_OUTPUT/expected"
expect_same "$CLI_OUT" "$ZV_E2E_OUTPUT/expected"

# --- Lifts, with the first acknowledgement of every packet missing.
cp "$ZV_TEST_DATA/formats/example.lft" "$work/Data/Zv/Lifts/example.lft"
start_sim --packets 2 --no-ack 1 receive-packets "$ZV_E2E_OUTPUT/lifts.hex"
ZV_COM1=$SIM_DEVICE run_cli "$work" send lifts Data/Zv/Lifts/example
expect_status 0
expect_sim 0
[[ $(wc -l <"$ZV_E2E_OUTPUT/lifts.hex") -eq 2 ]] || fail "not two lift packets"
first=$(head -n 1 "$ZV_E2E_OUTPUT/lifts.hex")
[[ $first == 40404C49064445424F5B990491C70023501A17240000000000000000C50D0A ]] ||
    fail "wrong lift packet: $first"
tail -n 1 "$CLI_OUT" | grep -qx '\[Info\] Daten wurden übertragen' || fail "lift upload not reported"

# --- Lines.
cp "$ZV_TEST_DATA/formats/example.lne" "$work/Data/Zv/Lifts/example.lne"
start_sim --packets 2 receive-packets "$ZV_E2E_OUTPUT/lines.hex"
ZV_COM1=$SIM_DEVICE run_cli "$work" send lines Data/Zv/Lifts/example.lne
expect_status 0
expect_sim 0
[[ $(wc -l <"$ZV_E2E_OUTPUT/lines.hex") -eq 2 ]] || fail "not two line packets"
first=$(head -n 1 "$ZV_E2E_OUTPUT/lines.hex")
[[ $first == 40404C49064252554E355D04000E013E45005AFF0000000000000000B50D0A ]] ||
    fail "wrong line packet: $first"
tail -n 1 "$CLI_OUT" | grep -qx '\[Info\] Daten wurden übertragen' || fail "line upload not reported"

# --- A usage error: an unknown kind.
run_cli "$work" send routes x.wpt
expect_status 2

echo "payloads_send: all passed"
