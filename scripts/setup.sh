#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds.
#   scripts/setup.sh [--sanitize | --release] [--werror] [--arch ARCH | --windows] [TARGET ...]
# builds into build/ (build-asan/ with the sanitizers, build-release/ for a Release build, with
# -ARCH added for another architecture, e.g. build-arm64/, and -windows for Windows);
# everything, or only the targets named. The options are read in scripts/build-options.sh.
#   scripts/setup.sh --install-only [--arch ARCH]
# only installs what is missing (scripts/fuzz.sh builds on its own).
#   scripts/setup.sh --install-package-tools [--arch ARCH]
# only installs what a Release package needs (scripts/package.sh), no test or fuzzing tools: on
# a door PC that builds its own package, that is all it gets.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-options.sh
usage="scripts/setup.sh [--sanitize | --release] [--werror] [--arch ARCH | --windows] [TARGET ...]
       scripts/setup.sh --install-only | --install-package-tools [--arch ARCH | --windows]"
own_options=(--install-only --install-package-tools)
read_build_options "$@"

# A Release build of the programs.
RELEASE_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation)
# The Debian package (scripts/package.sh): built, computed dependencies, checked (lintian,
# desktop-file-validate, systemd-analyze verify on the units).
PACKAGE_TOOLS=(dpkg-dev file lintian desktop-file-utils systemd)
PACKAGES=("${RELEASE_PACKAGES[@]}" "${PACKAGE_TOOLS[@]}"
          libgtest-dev libgmock-dev libbenchmark-dev libbotan-2-dev
          # Qt's own dialogs in the system's language (a test checks the Finnish ones).
          qt6-translations-l10n
          # The formatting check (scripts/format.sh --check).
          clang-format
          # The fuzz targets (scripts/fuzz.sh): clang and its libFuzzer runtime.
          clang libclang-rt-dev
          # The kiosk tests: cage nested in a virtual X display, the terminal on Wayland, the
          # pointer moved and the screen grabbed.
          cage xwayland qt6-wayland xvfb xdotool imagemagick)
[[ ${arguments[0]:-} == --install-package-tools ]] && PACKAGES=("${RELEASE_PACKAGES[@]}" "${PACKAGE_TOOLS[@]}")

missing=()
for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
if ((${#missing[@]})); then
    if [[ $(id -u) -eq 0 ]]; then
        echo "Installing: ${missing[*]}"
        apt-get update -q
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    else
        echo "These packages are missing; install them first, as root:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
fi

# Another architecture: its libraries and compiler, and the emulator that runs its tests.
[[ -z $cross_arch ]] || cross_install "$cross_arch"
# Windows: MinGW-w64, Wine and Qt for Windows.
if [[ -n $windows ]]; then
    windows_install
    cmake_options+=(-DTUVAKO_WINDOWS_QT="$(windows_qt)")
fi

[[ ${arguments[0]:-} == --install-only || ${arguments[0]:-} == --install-package-tools ]] && exit 0

targets=()
for target in "${arguments[@]}"; do targets+=(--target "$target"); done
cmake -S . -B "$build_dir" -G Ninja "${cmake_options[@]}" >/dev/null
cmake --build "$build_dir" -j2 "${targets[@]}"
