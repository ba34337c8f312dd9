# Sourced by setup.sh and test.sh, so that both turn their options into a build by one rule:
#   --sanitize   build-asan/: Debug, with AddressSanitizer and UndefinedBehaviorSanitizer
#   --release    build-release/: Release
#   --werror     warnings are errors (kept in the build directory's cache once set)
# read_build_options ARGUMENTS ... sets build_dir and cmake_options, puts the options it read in
# `build_options` and the other arguments in `arguments`.
read_build_options() {
    build_dir=build
    local build_type=RelWithDebInfo
    local extra=()
    build_options=()
    arguments=()
    local argument
    for argument in "$@"; do
        case $argument in
            --sanitize)
                build_dir=build-asan
                build_type=Debug
                extra+=(-DTUVAKO_SANITIZE=ON -DTUVAKO_BENCHMARKS=OFF)
                ;;
            --release)
                build_dir=build-release
                build_type=Release
                ;;
            --werror) extra+=(-DTUVAKO_WERROR=ON) ;;
            *)
                arguments+=("$argument")
                continue
                ;;
        esac
        build_options+=("$argument")
    done
    # A compiler cache, where one is installed, makes rebuilds after a checkout cheap.
    command -v ccache >/dev/null && extra+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake_options=(-DCMAKE_BUILD_TYPE=$build_type "${extra[@]}")
}
