#!/usr/bin/env bash
# Installs what is missing, builds, and runs the terminal against the bundled simulator.
# Everything runs from run/ (the terminal reads its ini files beside its executable).
# With no display the terminal runs offscreen: its log goes to the console and screenshots of
# its window to run/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
root=$PWD
run=$root/run
mkdir -p "$run/screenshots"
cp build/bin/tuvako "$run/"
port=${TUVAKO_PORT:-40201}
cat > "$run/Selvaro.ini" <<INI
[MessageSrv]
ServerAddress=127.0.0.1
Port=$port
Use=Yes
PingTime=30
[Tuvako01]
Number=01
ButtonWidth=100
ButtonShowTime=20
FontSize=9
ShowClearButton=Yes
INI

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    export QT_QPA_PLATFORM=offscreen
    export TUVAKO_CONSOLE_LOG=1
    export TUVAKO_SCREENSHOT_DIR=$run/screenshots
    echo "No display: the terminal runs offscreen; screenshots go to $TUVAKO_SCREENSHOT_DIR"
fi

sim_pid=
if [[ -x build/bin/tuvako-sim ]]; then
    build/bin/tuvako-sim --listen "127.0.0.1:$port" --demo &
    sim_pid=$!
    trap '[[ -n $sim_pid ]] && kill $sim_pid 2>/dev/null || true' EXIT
fi
"$run/tuvako" "$@"
