#!/usr/bin/env bash
# Shows that the terminal's memory and descriptors stay flat over many customers in a row.
#   scripts/soak.sh [CUSTOMERS]      (default 10000, in blocks of 1000)
# Builds like scripts/demo.sh, then plays a scenario against the terminal (offscreen): every
# customer swipes a card and gets the list of choices, and the next one's card makes the
# terminal report the previous one as not having chosen. After each block the simulator resets
# the connection, so that every block also opens and drops a session. After each block the
# terminal's resident memory and open descriptors are printed; the script fails when the
# descriptors grow or the memory grows by more than 8 MB from the first block to the last.
set -euo pipefail
cd "$(dirname "$0")/.."
customers=${1:-10000}
blocks=$(( (customers + 999) / 1000 ))
[[ ${TUVAKO_SKIP_SETUP:-} ]] || scripts/setup.sh
build=${TUVAKO_BUILD_DIR:-build}
run=$PWD/run/soak
rm -rf "$run"
mkdir -p "$run"
cp "$build/bin/tuvako" "$run/"

# Two members in turn; each card reports the member before it.
cat > "$run/soak.txt" <<SCENARIO
timeout 30
expect Moi^-^Tuvako01^-^0^KVLNQ^
ignore Ping^*
timeout 20
customer 1
repeat $blocks
  repeat 500
    customer 2
    expect-like Log^4711^Tuvako01^-^0^V-88;Seuravan asiakaan veto*
    customer 1
    expect-like Log^4712^Tuvako01^-^0^V-89;Seuravan asiakaan veto*
  end
  print block done
  reset
  accept
  expect Moi^-^Tuvako01^-^0^KVLNQ^
  customer 1
  expect-like Log^4711^Tuvako01^-^0^V-88;Seuravan asiakaan veto*
end
SCENARIO

source scripts/simulator.sh
sim_log=$run/simulator.log
TUVAKO_BUILD_DIR=$build start_simulator "$sim_log" --listen 127.0.0.1:0 --scenario "$run/soak.txt" \
    --no-console
printf '[MessageSrv]\nPort=%s\nUse=Yes\nPingTime=1\n[Tuvako01]\nButtonShowTime=60\n' "$port" \
    >"$run/Selvaro.ini"
QT_QPA_PLATFORM=offscreen "$run/tuvako" </dev/null >"$run/terminal.log" 2>&1 &
terminal_pid=$!
stop_at_exit "$terminal_pid"

sample() {
    local rss fds
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$terminal_pid/status")
    fds=$(find "/proc/$terminal_pid/fd" -mindepth 1 -maxdepth 1 | wc -l)
    printf '%9d %12d %8d\n' "$1" "$rss" "$fds"
    echo "$rss $fds" >>"$run/samples"
}
echo " customers  VmRSS (kB)  open fds"
seen=0
while kill -0 "$sim_pid" 2>/dev/null; do
    done_blocks=$(grep -c -- '-- block done' "$sim_log" || true)
    while (( seen < done_blocks )); do
        seen=$((seen + 1))
        sample $((seen * 1000))
    done
    sleep 0.2
done
status=0
wait "$sim_pid" || status=$?
if (( status != 0 )); then
    grep 'scenario FAILED' "$sim_log" >&2 || tail -5 "$sim_log" >&2
    exit 1
fi
read -r first_rss first_fds < <(head -1 "$run/samples")
read -r last_rss last_fds < <(tail -1 "$run/samples")
echo "memory: $first_rss kB after the first block, $last_rss kB after the last;" \
     "descriptors: $first_fds, then $last_fds"
if (( last_fds > first_fds || last_rss - first_rss > 8192 )); then
    echo "The terminal grows." >&2
    exit 1
fi
echo "Flat."
