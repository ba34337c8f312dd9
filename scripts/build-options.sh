# Sourced by setup.sh, test.sh and package.sh, so that all turn their options into a build by
# one rule:
#   --sanitize   build-asan/: Debug, with AddressSanitizer and UndefinedBehaviorSanitizer
#   --release    build-release/: Release
#   --werror     warnings are errors (kept in the build directory's cache once set)
#   --arch ARCH  for the Debian architecture ARCH (default: this machine's); another one than
#                this machine's is cross-built into <build directory>-ARCH/ (see scripts/cross.sh)
# read_build_options ARGUMENTS ... sets build_dir, cmake_options and arch (cross_arch too when
# it is another machine's), puts the options it read in `build_options` and the other arguments
# in `arguments`.
read_build_options() {
    build_dir=build
    local build_type=RelWithDebInfo
    local extra=()
    build_options=()
    arguments=()
    arch=$(dpkg --print-architecture)
    cross_arch=
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
            --arch)
                [[ -n ${2:-} ]] || { echo "--arch needs an architecture, e.g. --arch arm64" >&2; exit 2; }
                arch=$2
                build_options+=("$1" "$2")
                shift 2
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
        source scripts/cross.sh
        cross_arch=$arch
        [[ " ${extra[*]} " != *" -DTUVAKO_SANITIZE=ON "* ]] \
            || { echo "--sanitize runs on this machine's architecture only" >&2; exit 2; }
        build_dir=$build_dir-$arch
        extra+=(-DCMAKE_TOOLCHAIN_FILE="$(cross_toolchain_file "$arch")" -DTUVAKO_BENCHMARKS=OFF)
    fi
    # A compiler cache, where one is installed, makes rebuilds after a checkout cheap.
    command -v ccache >/dev/null && extra+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake_options=(-DCMAKE_BUILD_TYPE=$build_type "${extra[@]}")
}
