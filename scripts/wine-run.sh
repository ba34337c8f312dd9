#!/usr/bin/env bash
# Runs a program cross-built for Windows under Wine (64-bit only, no 32-bit half needed):
#   scripts/wine-run.sh WINEPREFIX QT-FOLDER PROGRAM.exe [ARGUMENT ...]
# CTest runs every test program of a Windows build through it. The Wine prefix is made on first
# use (about a minute); the program finds the Qt and MinGW runtime DLLs through WINEPATH and
# Qt's plugins through QT_PLUGIN_PATH, as the programs in the zip find them beside themselves.
# The program's exit status is passed on.
set -euo pipefail
prefix=$(realpath -m "$1")
qt=$2
shift 2

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to install .NET or a browser engine into the prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64

# Wine maps the root of this machine's file system to drive Z:.
windows_path() {
    local path=${1//\//\\}
    echo "Z:$path"
}

if [[ ! -e $prefix/.tuvako-ready ]]; then
    mkdir -p "$prefix"
    (
        flock 9
        if [[ ! -e $prefix/.tuvako-ready ]]; then
            "$wine" wineboot -i >/dev/null 2>&1
            # Without an X display, windows (hidden ones too) need Wine's null graphics driver.
            [[ -n ${DISPLAY:-} ]] || "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics \
                /d null /f >/dev/null 2>&1
            /usr/lib/wine/wineserver -w
            touch "$prefix/.tuvako-ready"
        fi
    ) 9>"$prefix.lock"
fi

runtime=(/usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)
path="$(windows_path "$qt/bin")"
for folder in "${runtime[@]}"; do path+=";$(windows_path "$folder")"; done
export WINEPATH=$path
export QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
# Qt's offscreen platform reads its fonts from one folder: the Liberation fonts that the layout
# asks for, as on Linux (fonts-liberation, which the Linux build installs).
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-$(windows_path /usr/share/fonts/truetype/liberation)}
# Wine keeps this machine's QT_ variables (meant for its own Qt) from Windows programs, but hands
# WINEQT_X on as QT_X: so the test's QT_QPA_PLATFORM and the settings above reach the program.
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
exec "$wine" "$@"
