#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh [--sanitize]      the sanitizer build runs the same suite under ASan+UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh "$@"
build_dir=build
[[ ${1:-} == --sanitize ]] && build_dir=build-asan
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
ctest --test-dir "$build_dir" -j2 --output-on-failure --timeout 120
