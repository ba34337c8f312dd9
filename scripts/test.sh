#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test.
#   scripts/test.sh [--sanitize | --release] [--arch ARCH | --windows] [-- CTEST ARGUMENTS ...]
# The sanitizer build runs the same suite under ASan+UBSan; `-L slow` or `-LE slow` runs only
# the soak and wall-clock tests, or all but them. `--arch arm64` cross-builds the suite into
# build-arm64/ and runs all of it under qemu-user, which is several times slower. `--windows`
# cross-builds it for 64-bit Windows into build-windows/ and runs it under Wine. Arguments that
# do not start with "--" (such as -R NAME) go to CTest as well.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-options.sh
usage="scripts/test.sh [--sanitize | --release] [--arch ARCH | --windows] [-- CTEST ARGUMENTS ...]"
read_build_options "$@"
scripts/setup.sh --werror "${build_options[@]}"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
timeout=120
[[ -z $cross_arch && -z $windows ]] || timeout=600
if [[ -n $windows ]]; then
    # One Wine server for the whole run, in the build's own Wine prefix (made on first use),
    # instead of one started and stopped around every test program.
    # The prefix is made first, while no server stays: making it waits for its server to end.
    # (A server that already runs for the prefix stays: -p then only says so.) Then one program
    # starts Wine's own services, which live as long as the server: started by a test program
    # they would hold its output open, and CTest would wait for it to the time-out.
    qt=$(windows_qt)
    export WINEPREFIX=$PWD/$build_dir/wine
    scripts/wine-run.sh "$WINEPREFIX" "$qt" cmd.exe /c exit 0
    /usr/lib/wine/wineserver -w
    /usr/lib/wine/wineserver -p 2>/dev/null || true
    trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
    scripts/wine-run.sh "$WINEPREFIX" "$qt" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
fi
ctest --test-dir "$build_dir" -j2 --output-on-failure --no-tests=error --timeout $timeout "${arguments[@]}"
