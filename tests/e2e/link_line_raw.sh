# The line stays raw between two exchanges: zv-sim leaves its terminal in the cooked mode
# of a serial device fresh from boot and, after each transfer, reports every byte that
# the line echoes back once zv has closed the port.
set -euo pipefail
source "$ZV_E2E_LIB/cli_helpers.sh"

work=$(zv_workdir)
ZV_E2E_OUTPUT=$(zv_workdir)
source "$ZV_E2E_LIB/sim_helpers.sh"
PATH=/usr/bin:/bin run_cli "$work" init
expect_status 0

# --- A text download: one opening, and the file arrives unchanged.
start_sim --report-echo send-text "$ZV_TEST_DATA/link/logbook.log"
ZV_COM1=$SIM_DEVICE run_cli "$work" receive logbook Data/Zv/Logbuch/neu
expect_status 0
expect_sim 0
expect_same "$work/Data/Zv/Logbuch/neu.log" "$ZV_TEST_DATA/link/logbook.log"

# --- An upload: one opening per packet.
start_sim --report-echo --packets 2 receive-packets "$ZV_E2E_OUTPUT/waypoints.hex"
ZV_COM1=$SIM_DEVICE run_cli "$work" send waypoints Data/Zv/Example.wpt
expect_status 0
expect_sim 0
expect_same "$ZV_E2E_OUTPUT/waypoints.hex" "$ZV_TEST_DATA/link/example_wpt.packets"

# --- The takeoff sites: packets from the instrument, each on its own opening.
start_sim --report-echo send-takeoffs "$ZV_TEST_DATA/link/takeoffs.tof"
ZV_COM1=$SIM_DEVICE run_cli "$work" receive takeoffs Data/Zv/Startplaetze/neu
expect_status 0
expect_sim 0
expect_same "$work/Data/Zv/Startplaetze/neu.tof" "$ZV_TEST_DATA/link/takeoffs.tof"

echo "link_line_raw: all passed"
