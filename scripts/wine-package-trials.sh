#!/usr/bin/env bash
# Tries the Windows packages under Wine, as an administrator would use them on a door PC:
#   scripts/wine-package-trials.sh ZIP SETUP.EXE WORK-FOLDER
# scripts/package.sh --windows runs it after building them. In a Wine prefix of its own inside
# WORK-FOLDER (made afresh), with no WINEPATH and no Qt variables, so that every DLL and plugin
# must come from the programs' own folder:
#  1. the zip, unpacked into a folder whose name has a blank, runs the three programs' --version
#     through a pipe; the terminal logs in to the simulator playing a scenario, shows a member's
#     choices, sends the member's press byte for byte, reports the next member's time-out and,
#     closed as Windows closes a program, writes Selwi.ini beside itself, which its next start
#     reads and keeps;
#  2. setup.exe /S refuses Windows 7; on Windows 10 it installs into C:\Tuvako (a Selvaro.ini
#     made from the example, the Start menu entry, the entry in Add/Remove Programs, no start
#     with Windows);
#  3. tuvako.exe --check from there passes against tuvako-sim.exe on a free loopback port;
#  4. setup.exe /S over the installed terminal while it runs closes it (it saves Selwi.ini);
#  5. the task XML imports with schtasks;
#  6. setup.exe /S /AUTOSTART again keeps Selvaro.ini and Selwi.ini byte for byte and adds the
#     start with Windows;
#  7. uninstall.exe /S removes everything else and leaves the two ini files.
# Every Wine process is ended at the end, and nothing is left listening.
set -euo pipefail
cd "$(dirname "$0")/.."
(($# == 3)) || { echo "usage: scripts/wine-package-trials.sh ZIP SETUP.EXE WORK-FOLDER" >&2; exit 2; }
zip=$(realpath "$1")
setup=$(realpath "$2")
work=$(realpath -m "$3")

export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH QT_QPA_PLATFORM TUVAKO_CONFIG_DIR \
      TUVAKO_CONSOLE_LOG TUVAKO_CONSOLE_INPUT TUVAKO_SCREENSHOT_DIR
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
drive_c=$WINEPREFIX/drive_c
installed=$drive_c/Tuvako
sim_pid=
port=

finish() {
    [[ -z $sim_pid ]] || kill "$sim_pid" 2>/dev/null || true
    "$wineserver" -k 2>/dev/null || true
    wait 2>/dev/null || true
}
trap finish EXIT

fail() {
    echo "wine trial FAILED: $*" >&2
    exit 1
}

# Runs a Windows program with a time limit; its output comes through a pipe, as a script that
# reads it would get it.
run() {
    timeout 60 "$wine" "$@" 2>&1 | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# Windows' paths of this machine's files: Wine maps / to drive Z:.
windows_path() {
    local path=${1//\//\\}
    echo "Z:$path"
}

# A ini file with CR LF line ends, as Notepad writes it.
write_ini() {
    printf '%s\r\n' "${@:2}" >"$1"
}

# Starts the simulator from FOLDER in demo mode on a free loopback port; sets sim_pid and port.
start_simulator() {
    local folder=$1 log=$work/sim.log
    : >"$log"
    "$wine" "$folder/tuvako-sim.exe" --listen 127.0.0.1:0 --demo --no-console </dev/null \
        >"$log" 2>&1 &
    sim_pid=$!
    local i
    for ((i = 0; i < 300; ++i)); do
        port=$(sed -n 's/.* listening on 127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$log" | head -n 1)
        [[ -n $port ]] && return 0
        kill -0 "$sim_pid" 2>/dev/null || fail "tuvako-sim.exe ended: $(cat "$log")"
        sleep 0.1
    done
    fail "tuvako-sim.exe did not say where it listens: $(cat "$log")"
}

stop_simulator() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=
}

# Waits up to SECONDS for the simulator's output to have a line matching the pattern.
await_simulator() {
    local pattern=$1 seconds=$2 i
    for ((i = 0; i < seconds * 10; ++i)); do
        grep -q "$pattern" "$work/sim.log" && return 0
        sleep 0.1
    done
    return 1
}

# The version that the package's name carries.
version=${zip##*/tuvako-}
version=${version%-windows-x64.zip}

echo "-- a fresh Wine prefix in $WINEPREFIX"
rm -rf "$work"
mkdir -p "$work"
"$wine" wineboot -i >/dev/null 2>&1
# Nothing here needs a window on a screen: Wine's null graphics driver, display or not.
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
# A door PC runs Windows 10 or 11; Wine 8 says Windows 7 unless told.
"$wine" winecfg -v win10 >/dev/null 2>&1
"$wineserver" -w

echo "-- 1. the zip, unpacked where nothing else is"
unpacked="$work/unpacked here"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
folder=$unpacked/Tuvako
cd "$work"
for program in tuvako tuvako-sim tuvako-wire; do
    output=$(run "$folder/$program.exe" --version) || fail "$program.exe --version: $output"
    echo "$program.exe --version: $output"
    [[ $output == *"$version"* ]] || fail "$program.exe --version does not name $version"
done

# A member's road with the terminal from the zip, on the windows platform loaded from its
# platforms folder, against tuvako-sim.exe playing a scenario: the login, a member's choices,
# the member's press sent byte for byte, the next member timing out; then the terminal closes
# as Windows asks a program to (WM_CLOSE), and its next start keeps Selwi.ini beside itself.
scenario=$work/road.txt
printf '%s\n' 'timeout 40' 'expect Moi^-^Tuvako01^-^0^KVLNQ^' 'ignore Ping^*' 'customer 1' \
    'expect Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^' 'greet' 'customer 2' \
    'expect Log^4712^Tuvako01^-^0^V-89;Timeout: Valintaa ei tehty!^SaveLogi^^' >"$scenario"
: >"$work/sim.log"
"$wine" "$folder/tuvako-sim.exe" --listen 127.0.0.1:0 --scenario "$(windows_path "$scenario")" \
    </dev/null >"$work/sim.log" 2>&1 &
sim_pid=$!
await_simulator 'listening on 127\.0\.0\.1:' 60 || fail "tuvako-sim.exe did not start: $(cat "$work/sim.log")"
port=$(sed -n 's/.* listening on 127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$work/sim.log" | head -n 1)
write_ini "$folder/Selvaro.ini" '[MessageSrv]' 'ServerAddress=127.0.0.1' "Port=$port" 'Use=Yes' \
    'PingTime=180' '[Tuvako01]' 'Number=01' 'ButtonShowTime=2'
# The member's finger: a command on the terminal's standard input.
touch_pipe=$work/touch
mkfifo "$touch_pipe"
TUVAKO_CONSOLE_LOG=1 TUVAKO_CONSOLE_INPUT=1 "$wine" "$folder/tuvako.exe" <"$touch_pipe" \
    >"$work/terminal.log" 2>&1 &
terminal_pid=$!
exec 7>"$touch_pipe"
await_terminal() {
    local i
    for ((i = 0; i < $2 * 10; ++i)); do
        grep -q "$1" "$work/terminal.log" && return 0
        sleep 0.1
    done
    return 1
}
await_terminal '\^BUTTON\^Tuote\^V12\^' 60 \
    || fail "the terminal from the zip showed no choices: $(cat "$work/sim.log" "$work/terminal.log")"
echo "press Kuntosali" >&7
wait "$sim_pid" || fail "the scenario failed: $(cat "$work/sim.log" "$work/terminal.log")"
sim_pid=
echo "tuvako.exe from the zip: logged in, showed the choices, sent the press byte for byte," \
     "reported the next member's time-out"
close_terminal() {
    run taskkill /IM tuvako.exe >/dev/null || fail "taskkill found no tuvako.exe"
    for ((i = 0; i < 300; ++i)); do
        kill -0 "$terminal_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$terminal_pid" 2>/dev/null && fail "tuvako.exe did not close on WM_CLOSE"
    wait "$terminal_pid" || fail "tuvako.exe ended with status $? on WM_CLOSE: $(cat "$work/terminal.log")"
}
close_terminal
exec 7>&-
grep -q '^\[TfrmTuvakoMain\]' "$folder/Selwi.ini" 2>/dev/null \
    || fail "no Selwi.ini with the window's state beside tuvako.exe after it closed"
# The next start reads it: a panel colour put there comes back and is written again at close.
sed -i 's/^PanelTop.Color=.*/PanelTop.Color=255\r/' "$folder/Selwi.ini"
write_ini "$folder/Selvaro.ini" '[MessageSrv]' 'Use=No' '[Tuvako01]' 'Number=01'
"$wine" "$folder/tuvako.exe" </dev/null >"$work/terminal.log" 2>&1 &
terminal_pid=$!
sleep 3
close_terminal
grep -q '^PanelTop.Color=255' "$folder/Selwi.ini" \
    || fail "a restart did not keep Selwi.ini beside tuvako.exe: $(cat "$folder/Selwi.ini")"
echo "tuvako.exe from the zip closed on WM_CLOSE, and kept Selwi.ini beside itself across a restart"

echo "-- 2. setup.exe /S"
# On an older Windows it says that it needs 10 or 11, fails, and installs nothing.
"$wine" winecfg -v win7 >/dev/null 2>&1
run "$(windows_path "$setup")" /S >/dev/null && fail "setup.exe /S installed on Windows 7"
[[ ! -e $installed ]] || fail "setup.exe /S on Windows 7 made C:\\Tuvako"
"$wine" winecfg -v win10 >/dev/null 2>&1
echo "setup.exe /S on Windows 7: refused, nothing installed"
run "$(windows_path "$setup")" /S >/dev/null || fail "setup.exe /S ended with status $?"
"$wineserver" -w
for file in tuvako.exe tuvako-sim.exe tuvako-wire.exe platforms/qwindows.dll uninstall.exe \
            README.txt tuvako-task.xml Selvaro.example.ini Selvaro.ini; do
    [[ -f $installed/$file ]] || fail "setup.exe /S did not install C:\\Tuvako\\$file"
done
cmp -s "$installed/Selvaro.ini" "$installed/Selvaro.example.ini" \
    || fail "the first install's Selvaro.ini is not the example"
[[ ! -e $installed/Selwi.ini ]] || fail "setup.exe made a Selwi.ini"
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tuvako"
[[ -f $start_menu/Tuvako.lnk ]] || fail "no Start menu entry in $start_menu"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tuvako'
run reg query "$uninstall_key" /v UninstallString | grep -qF 'C:\Tuvako\uninstall.exe' \
    || fail "no uninstall entry in Add/Remove Programs"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
run reg query "$run_key" /v Tuvako >/dev/null && fail "start with Windows is on by default"
echo "installed into C:\\Tuvako: $(cd "$installed" && ls | tr '\n' ' ')"

echo "-- 3. tuvako.exe --check from C:\\Tuvako"
start_simulator "$installed"
write_ini "$installed/Selvaro.ini" '; the door PC' '[MessageSrv]' 'ServerAddress=127.0.0.1' \
    "Port=$port" 'Use=Yes' '[Tuvako01]' 'Number=01' 'ButtonShowTime=45'
(cd "$drive_c" && run 'C:\Tuvako\tuvako.exe' --check) >"$work/check.log" \
    || fail "tuvako.exe --check ended with status $?: $(cat "$work/check.log")"
sed 's/^/  /' "$work/check.log"
grep -qF 'C:\Tuvako' "$work/check.log" || fail "--check did not use C:\\Tuvako"
grep -q '^OK: Tuvako01 logged in' "$work/check.log" || fail "--check did not report OK"

echo "-- 4. setup.exe /S over a running terminal"
"$wine" 'C:\Tuvako\tuvako.exe' >"$work/terminal.log" 2>&1 &
terminal_pid=$!
for ((i = 0; i < 600; ++i)); do
    (($(grep -c 'login accepted for Tuvako01' "$work/sim.log") >= 2)) && break
    sleep 0.1
done
(($(grep -c 'login accepted for Tuvako01' "$work/sim.log") >= 2)) \
    || fail "the installed terminal did not log in: $(cat "$work/sim.log" "$work/terminal.log")"
rm -f "$installed/Selwi.ini"
run "$(windows_path "$setup")" /S >/dev/null || fail "setup.exe /S over a running terminal ended with status $?"
kill -0 "$terminal_pid" 2>/dev/null && fail "setup.exe left the running terminal running"
wait "$terminal_pid" || fail "the terminal ended with status $? when setup.exe closed it"
stop_simulator
"$wineserver" -w
grep -q '^\[TfrmTuvakoMain\]' "$installed/Selwi.ini" 2>/dev/null \
    || fail "the terminal that setup.exe closed did not save Selwi.ini"
echo "setup.exe closed the running terminal, which saved Selwi.ini, and installed over it"

echo "-- 5. the task XML imports"
run schtasks /Create /XML 'C:\Tuvako\tuvako-task.xml' /TN Tuvako >/dev/null \
    || fail "schtasks could not import tuvako-task.xml"
echo "schtasks /Create /XML C:\\Tuvako\\tuvako-task.xml /TN Tuvako: imported"

echo "-- 6. setup.exe /S /AUTOSTART over it keeps both ini files"
write_ini "$installed/Selwi.ini" '[TfrmTuvakoMain]' 'Left=12' 'Top=34' '[TfrmDEvevorMain]' \
    'PanelBack.Color=65280'
cp "$installed/Selvaro.ini" "$work/Selvaro.before"
cp "$installed/Selwi.ini" "$work/Selwi.before"
run "$(windows_path "$setup")" /S /AUTOSTART >/dev/null || fail "the second setup.exe /S ended with status $?"
"$wineserver" -w
cmp -s "$installed/Selvaro.ini" "$work/Selvaro.before" || fail "a re-install changed Selvaro.ini"
cmp -s "$installed/Selwi.ini" "$work/Selwi.before" || fail "a re-install changed Selwi.ini"
autostart=$(run reg query "$run_key" /v Tuvako) || fail "/AUTOSTART did not add start with Windows"
grep -qF '"C:\Tuvako\tuvako.exe" --hide-cursor' <<<"$autostart" \
    || fail "start with Windows runs something else: $autostart"
echo "Selvaro.ini and Selwi.ini unchanged; start with Windows: $(grep -o '"C:.*' <<<"$autostart")"

echo "-- 7. uninstall.exe /S"
run 'C:\Tuvako\uninstall.exe' /S >/dev/null || fail "uninstall.exe /S ended with status $?"
# The uninstaller goes on from a copy of itself in the temporary folder.
"$wineserver" -w
left=$(cd "$installed" && find . -mindepth 1 | sed 's|^\./||' | sort | tr '\n' ' ')
[[ $left == "Selvaro.ini Selwi.ini " ]] || fail "after uninstalling, C:\\Tuvako holds: $left"
cmp -s "$installed/Selvaro.ini" "$work/Selvaro.before" || fail "the uninstaller changed Selvaro.ini"
cmp -s "$installed/Selwi.ini" "$work/Selwi.before" || fail "the uninstaller changed Selwi.ini"
[[ ! -e $start_menu ]] || fail "the Start menu entry stayed"
run reg query "$uninstall_key" >/dev/null && fail "the uninstall entry stayed"
run reg query "$run_key" /v Tuvako >/dev/null && fail "start with Windows stayed"
run schtasks /Delete /TN Tuvako /F >/dev/null && fail "the task Tuvako stayed"
echo "C:\\Tuvako after uninstall.exe /S: $left"

"$wineserver" -k 2>/dev/null || true
wait 2>/dev/null || true
if ss -ltnH | grep -q "127\.0\.0\.1:$port\b"; then
    fail "something still listens on 127.0.0.1:$port"
fi
echo "wine trials: all passed"
