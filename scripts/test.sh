#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test.
#   scripts/test.sh [--sanitize | --release] [CTEST ARGUMENTS ...]
# The sanitizer build runs the same suite under ASan+UBSan; `-L slow` or `-LE slow` runs only
# the soak and wall-clock tests, or all but them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-options.sh
read_build_options "$@"
scripts/setup.sh --werror "${build_options[@]}"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
ctest --test-dir "$build_dir" -j2 --output-on-failure --timeout 120 "${arguments[@]}"
