# Sourced by the scripts that run the terminal against the simulator.
#
# start_simulator LOG [SIMULATOR ARGUMENTS ...]
#   starts build/bin/tuvako-sim (or $TUVAKO_BUILD_DIR/bin/tuvako-sim) in the background with its
#   output in LOG, waits until it names its port, and sets sim_pid and port. Fails with the
#   simulator's output when it does not start.
# stop_at_exit PID ...
#   ends these processes when the script ends, however it ends; the simulator is one of them.

background_pids=()
stop_at_exit() {
    background_pids+=("$@")
}
stop_background() {
    local pid
    for pid in "${background_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_background EXIT

start_simulator() {
    local log=$1
    shift
    : >"$log"  # there before the port is looked for in it
    "${TUVAKO_BUILD_DIR:-build}/bin/tuvako-sim" "$@" >"$log" 2>&1 &
    sim_pid=$!
    stop_at_exit "$sim_pid"
    port=
    for _ in $(seq 50); do
        port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$log")
        [[ -n $port ]] && return 0
        sleep 0.1
    done
    cat "$log" >&2
    echo "The simulator did not start." >&2
    return 1
}
