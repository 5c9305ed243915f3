# Helpers for zv-cli against zv-sim. Source it after cli_helpers.sh and after setting
# ZV_E2E_OUTPUT.
#
#   start_sim ARGS...  zv-sim in the background; sets SIM_PID and SIM_DEVICE
#   expect_sim N       fails unless zv-sim ended with status N

ZV_SIM="$ZV_BIN/zv-sim"

start_sim() {
    local out="$ZV_E2E_OUTPUT/sim.out"
    : >"$out"
    "$ZV_SIM" --open-timeout-ms 30000 "$@" >"$out" 2>"$ZV_E2E_OUTPUT/sim.err" &
    SIM_PID=$!
    local i
    for ((i = 0; i < 100; ++i)); do
        SIM_DEVICE=$(head -n 1 "$out")
        [[ -n $SIM_DEVICE ]] && return 0
        sleep 0.1
    done
    fail "zv-sim did not tell its device"
}

expect_sim() {
    local status=0
    wait "$SIM_PID" || status=$?
    [[ $status -eq $1 ]] || fail "zv-sim exited with $status, expected $1: $(cat "$ZV_E2E_OUTPUT/sim.err")"
}
