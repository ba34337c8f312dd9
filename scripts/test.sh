#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test.
#   scripts/test.sh [--sanitize | --release] [--arch ARCH] [CTEST ARGUMENTS ...]
# The sanitizer build runs the same suite under ASan+UBSan; `-L slow` or `-LE slow` runs only
# the soak and wall-clock tests, or all but them. `--arch arm64` cross-builds the suite into
# build-arm64/ and runs all of it under qemu-user, which is several times slower.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-options.sh
read_build_options "$@"
scripts/setup.sh --werror "${build_options[@]}"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
timeout=120
[[ -z $cross_arch ]] || timeout=600
ctest --test-dir "$build_dir" -j2 --output-on-failure --timeout $timeout "${arguments[@]}"
