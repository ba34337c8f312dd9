#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds.
#   scripts/setup.sh [--sanitize] [TARGET ...]
# builds into build/ (or build-asan/ with the sanitizers); everything, or only the targets named.
#   scripts/setup.sh --no-build
# only installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libbotan-2-dev fonts-liberation
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

[[ ${1:-} == --no-build ]] && exit 0

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ ${1:-} == --sanitize ]]; then
    build_dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DTUVAKO_SANITIZE=ON -DTUVAKO_BENCHMARKS=OFF)
    shift
fi
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake -S . -B "$build_dir" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build_dir" -j2 "${targets[@]}"
