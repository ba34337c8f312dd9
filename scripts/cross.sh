# Sourced by build-options.sh: what building for another architecture than this machine's
# takes. Only arm64 on amd64 is known: Debian's multiarch puts the arm64 libraries beside the
# amd64 ones, a cross compiler builds, and qemu-user runs the arm64 test programs (binfmt_misc
# hands it every arm64 program, the children that tests start included).

# The CMake toolchain file for the Debian architecture $1.
cross_toolchain_file() {
    case $1 in
        arm64) echo "$PWD/cmake/toolchain-aarch64-linux-gnu.cmake" ;;
        *)
            echo "cannot build for $1 here; only --arch arm64 is known" >&2
            exit 2
            ;;
    esac
}

# The packages a cross-build for $1 needs; Qt's code generators run on this machine, from
# qt6-base-dev-tools, and the kiosk tests run the emulated terminal on Wayland (qt6-wayland).
# Installing the arm64 libraries may bring the amd64 ones to the same point release, as the two
# architectures must match; nothing is removed.
cross_packages() {
    echo crossbuild-essential-"$1" qt6-base-dev:"$1" qt6-base-dev-tools libgl-dev:"$1" \
         libgtest-dev:"$1" libgmock-dev:"$1" qt6-wayland:"$1" qemu-user-static binfmt-support
}

# Installs what a cross-build for $1 needs and lets the kernel run its programs, as root; as
# another user it prints the commands to run first and fails.
cross_install() {
    local arch=$1 commands=()
    dpkg --print-foreign-architectures | grep -qx "$arch" \
        || commands+=("dpkg --add-architecture $arch")
    local missing=() package
    for package in $(cross_packages "$arch"); do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    if ((${#commands[@]} || ${#missing[@]})); then
        commands+=("apt-get update" "apt-get install -y $(cross_packages "$arch")")
    fi
    # binfmt_misc, where no one has mounted it (a container), then qemu's entry switched on.
    [[ -e /proc/sys/fs/binfmt_misc/register ]] \
        || commands+=("mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc")
    grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-aarch64 2>/dev/null \
        || commands+=("update-binfmts --enable qemu-aarch64")
    ((${#commands[@]})) || return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "Building for $arch needs this first, as root:" >&2
        printf '  %s\n' "${commands[@]}" >&2
        exit 1
    fi
    local command
    for command in "${commands[@]}"; do
        echo "+ $command"
        case $command in
            apt-get\ install*) DEBIAN_FRONTEND=noninteractive $command -q ;;
            *) $command ;;
        esac
    done
}
