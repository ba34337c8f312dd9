#!/usr/bin/env bash
# Installs what is missing, builds, and runs the terminal against the bundled simulator in demo
# mode: a sample member swipes a card every few seconds and gets a list of choices.
#   scripts/demo.sh [--seconds N] [terminal arguments ...]   --seconds ends the demo after N s
# Everything runs from run/ (the terminal reads its ini files beside its executable). The
# simulator's traffic is printed on the console. With no display the terminal runs offscreen:
# its log goes to the console too, screenshots of its window to run/screenshots/, and typing
# "press Kuntosali" (or "press 1") presses a choice as a member would.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=
if [[ ${1:-} == --seconds ]]; then
    seconds=$2
    shift 2
fi
scripts/setup.sh tuvako tuvako-sim
root=$PWD
run=$root/run
mkdir -p "$run/screenshots"
cp build/bin/tuvako "$run/"

# The simulator takes a free port (or TUVAKO_PORT) and names it on its first line.
source scripts/simulator.sh
sim_log=$run/simulator.log
start_simulator "$sim_log" --listen "127.0.0.1:${TUVAKO_PORT:-0}" --demo --interval 8 --no-console
tail -n +1 -f "$sim_log" | sed -u 's/^/simulator | /' &
stop_at_exit $!

cat > "$run/Selvaro.ini" <<INI
[MessageSrv]
ServerAddress=127.0.0.1
Port=$port
Use=Yes
PingTime=30
[Tuvako01]
Number=01
ButtonWidth=100
ButtonShowTime=6
FontSize=9
ShowClearButton=Yes
INI

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    export QT_QPA_PLATFORM=offscreen
    export TUVAKO_CONSOLE_LOG=1
    export TUVAKO_CONSOLE_INPUT=1
    export TUVAKO_SCREENSHOT_DIR=$run/screenshots
    echo "No display: the terminal runs offscreen; screenshots go to $TUVAKO_SCREENSHOT_DIR"
    echo "Type \"press Kuntosali\" (or \"press 1\") and Enter to choose for the member on screen."
fi
echo "Simulator on 127.0.0.1:$port; Ctrl-C ends the demo."
if [[ -n $seconds ]]; then
    "$run/tuvako" "$@" </dev/null &
    terminal_pid=$!
    sleep "$seconds"
    kill -TERM "$terminal_pid"
    wait "$terminal_pid" || true
else
    "$run/tuvako" "$@"
fi
