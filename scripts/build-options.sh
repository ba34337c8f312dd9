# Sourced by setup.sh, test.sh and package.sh, so that all turn their options into a build by
# one rule:
#   --sanitize   build-asan/: Debug, with AddressSanitizer and UndefinedBehaviorSanitizer
#   --release    build-release/: Release
#   --werror     warnings are errors (kept in the build directory's cache once set)
#   --arch ARCH  for the Debian architecture ARCH (default: this machine's); another one than
#                this machine's is cross-built into <build directory>-ARCH/ (see scripts/cross.sh)
#   --windows    for 64-bit Windows, cross-built with MinGW-w64 into <build directory>-windows/
#                (see scripts/windows.sh); its tests run under Wine
# A script's usage line is in `usage`, and the "--" options that it takes besides these in
# `own_options`. read_build_options ARGUMENTS ... sets build_dir, cmake_options and arch
# (cross_arch too when it is another machine's, windows when it is Windows), puts the options
# it read in `build_options` and the other arguments in `arguments`. An unknown "--" option is
# refused with the usage line and status 2; after a lone "--" everything goes to `arguments`.
read_build_options() {
    build_dir=build
    local build_type=RelWithDebInfo
    local extra=()
    build_options=()
    arguments=()
    arch=$(dpkg --print-architecture)
    cross_arch=
    windows=
    while (($#)); do
        case $1 in
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
            --windows) windows=1 ;;
            --arch)
                [[ -n ${2:-} ]] || refuse_usage "--arch needs an architecture, e.g. --arch arm64"
                arch=$2
                build_options+=("$1" "$2")
                shift 2
                continue
                ;;
            --)
                shift
                arguments+=("$@")
                break
                ;;
            --*)
                [[ " ${own_options[*]:-} " == *" $1 "* ]] || refuse_usage "unknown option $1"
                arguments+=("$1")
                shift
                continue
                ;;
            *)
                arguments+=("$1")
                shift
                continue
                ;;
        esac
        build_options+=("$1")
        shift
    done
    if [[ $arch != "$(dpkg --print-architecture)" ]]; then
        [[ -z $windows ]] || refuse_usage "--windows and --arch do not go together"
        source scripts/cross.sh
        cross_arch=$arch
        [[ " ${extra[*]} " != *" -DTUVAKO_SANITIZE=ON "* ]] \
            || refuse_usage "--sanitize runs on this machine's architecture only"
        build_dir=$build_dir-$arch
        extra+=(-DCMAKE_TOOLCHAIN_FILE="$(cross_toolchain_file "$arch")" -DTUVAKO_BENCHMARKS=OFF)
    fi
    if [[ -n $windows ]]; then
        source scripts/windows.sh
        [[ " ${extra[*]} " != *" -DTUVAKO_SANITIZE=ON "* ]] \
            || refuse_usage "--sanitize runs on this machine's architecture only"
        build_dir=$build_dir-windows
        extra+=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-w64-mingw32.cmake"
                -DTUVAKO_BENCHMARKS=OFF)
    fi
    # A compiler cache, where one is installed, makes rebuilds after a checkout cheap.
    command -v ccache >/dev/null && extra+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake_options=(-DCMAKE_BUILD_TYPE=$build_type "${extra[@]}")
}

# Ends the script with the reason, its usage line and status 2.
refuse_usage() {
    echo "$(basename "$0"): $1" >&2
    echo "usage: ${usage:-$(basename "$0") [OPTIONS]}" >&2
    exit 2
}
