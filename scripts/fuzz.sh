#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) into build-fuzz/ and runs each of them for
# SECONDS (default 20) on top of its seed corpus in fuzz/corpus/<target>/.
#   scripts/fuzz.sh [SECONDS] [TARGET ...]     e.g. scripts/fuzz.sh 600 fuzz_ini_files
# Inputs found along the way collect in build-fuzz/corpus/<target>/; an input that crashes or
# gives a wrong result is kept in build-fuzz/findings/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true

scripts/setup.sh --install-only
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTUVAKO_FUZZ=ON -DTUVAKO_WERROR=ON -DBUILD_TESTING=OFF -DTUVAKO_BENCHMARKS=OFF \
    $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
cmake --build "$build" -j2 --target fuzzers

targets=("$@")
if ((${#targets[@]} == 0)); then
    for seeds in fuzz/corpus/*/; do targets+=("fuzz_$(basename "$seeds")"); done
fi
mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$build/findings/$target-")
    [[ -f fuzz/dict/$name.dict ]] && options+=(-dict="fuzz/dict/$name.dict")
    echo "== $target, $seconds s"
    log=$build/findings/$target.log
    if "$build/bin/$target" "${options[@]}" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log" | tr '\n' ' '
        echo
    else
        echo "FAILED: $target found a crash or a wrong result; see $log" >&2
        grep -E 'WRONG RESULT|ERROR:|runtime error|Test unit written' "$log" | head -5 >&2 || true
        failed+=("$target")
    fi
done
if ((${#failed[@]})); then
    echo "Findings in: ${failed[*]}" >&2
    exit 1
fi
echo "No findings."
