# Sourced by build-options.sh for --windows: what a Windows build on this Debian machine takes.
# MinGW-w64 (POSIX thread model, as Qt for Windows needs), GoogleTest's source, Qt's code
# generators for this machine, Wine to run the tests, NSIS and file(1) for the package; Qt for
# Windows itself comes from scripts/windows-qt.sh.

windows_packages() {
    echo g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest qt6-base-dev-tools \
         qt6-translations-l10n wine64 xz-utils nsis file zip unzip
}

# Installs what is missing, as root; as another user it prints the command to run first and fails.
windows_install() {
    local missing=() package
    for package in $(windows_packages); do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "Building for Windows needs this first, as root:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# The folder of Qt for Windows, unpacked (or built) into the cache on first use.
windows_qt() {
    scripts/windows-qt.sh
}
