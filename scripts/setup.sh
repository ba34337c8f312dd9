#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds.
#   scripts/setup.sh [--sanitize | --release] [--werror] [TARGET ...]
# builds into build/ (build-asan/ with the sanitizers, build-release/ for a Release build);
# everything, or only the targets named. The options are read in scripts/build-options.sh.
#   scripts/setup.sh --install-only
# only installs what is missing (scripts/fuzz.sh and scripts/package.sh build on their own).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libbotan-2-dev fonts-liberation
          # Qt's own dialogs in the system's language (a test checks the Finnish ones).
          qt6-translations-l10n
          # The formatting check (scripts/format.sh --check).
          clang-format
          # The fuzz targets (scripts/fuzz.sh): clang and its libFuzzer runtime.
          clang libclang-rt-dev
          # The Debian package (scripts/package.sh): built, computed dependencies, checked.
          dpkg-dev file lintian desktop-file-utils)

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

[[ ${1:-} == --install-only ]] && exit 0

source scripts/build-options.sh
read_build_options "$@"
targets=()
for target in "${arguments[@]}"; do targets+=(--target "$target"); done
cmake -S . -B "$build_dir" -G Ninja "${cmake_options[@]}" >/dev/null
cmake --build "$build_dir" -j2 "${targets[@]}"
