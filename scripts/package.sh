#!/usr/bin/env bash
# Builds the Debian package tuvako_<version>_<arch>.deb in dist/ and checks it without
# installing it: its contents (the programs, kiosk launcher, desktop entry, units, manual
# pages, example configuration, maintainer scripts), that its programs are code for its
# architecture and apt resolves its dependencies, the desktop entry with desktop-file-validate,
# both units with systemd-analyze verify, and lintian (no error and no warning).
#   scripts/package.sh [--arch ARCH | --windows]
# ARCH is this machine's Debian architecture unless given: `--arch arm64` on an amd64 machine
# cross-builds the package for a Raspberry Pi. A package of another architecture in dist/ stays.
# Install it afterwards with: apt-get install ./dist/tuvako_<version>_<arch>.deb
# --windows builds the Windows zip and installer instead (scripts/package-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-options.sh
usage="scripts/package.sh [--arch ARCH | --windows]"
read_build_options "$@"
# Nothing else: a word that is no option would otherwise be ignored without a word.
((${#arguments[@]} == 0)) || refuse_usage "unexpected argument ${arguments[0]}"
[[ -z $windows ]] || exec scripts/package-windows.sh

# A Release build and the checks, and the cross-build's packages; no test tools.
scripts/setup.sh --install-package-tools "${build_options[@]}"

build_dir=build-package
cross_options=()
if [[ -n $cross_arch ]]; then
    build_dir=build-package-$cross_arch
    cross_options=(-DCMAKE_TOOLCHAIN_FILE="$(cross_toolchain_file "$cross_arch")")
fi
# -O2, as Debian builds its own packages (g++ 12 at -O3 also warns falsely about string copies).
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
      -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DTUVAKO_BENCHMARKS=OFF \
      "${cross_options[@]}" >/dev/null
cmake --build "$build_dir" -j2
rm -f "$build_dir"/tuvako_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
mkdir -p dist
rm -f dist/tuvako_*_"$arch".deb
made=("$build_dir"/tuvako_*.deb)
if [[ ${#made[@]} -ne 1 || ${made[0]} != *_"$arch".deb ]]; then
    echo "cpack made ${made[*]##*/}, not one package for $arch" >&2
    exit 1
fi
mv "${made[0]}" dist/
deb=$(ls dist/tuvako_*_"$arch".deb)

# The package is made for $arch: its programs are that machine's code, and apt finds every
# library it depends on for that architecture (arm64 must be enabled here for an arm64 one).
check_architecture() {
    local deb=$1 unpacked=$2 machine ok=0
    [[ $(dpkg-deb --field "$deb" Architecture) == "$arch" ]] \
        || { echo "package: Architecture is not $arch" >&2; ok=1; }
    case $arch in
        amd64) machine=x86-64 ;;
        arm64) machine="ARM aarch64" ;;
        *) machine= ;;
    esac
    local program
    for program in tuvako tuvako-sim tuvako-wire; do
        [[ -z $machine ]] || file -b "$unpacked/usr/bin/$program" | grep -qF ", $machine," \
            || { echo "$program is not $machine code: $(file -b "$unpacked/usr/bin/$program")" >&2; ok=1; }
    done
    apt-get install -s -q "./$deb" >/dev/null \
        || { echo "apt-get cannot resolve the dependencies of $deb" >&2; ok=1; }
    return $ok
}

# The contents an installer relies on.
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
expected=(
    ./usr/bin/tuvako ./usr/bin/tuvako-sim ./usr/bin/tuvako-wire
    ./usr/share/applications/tuvako.desktop
    ./usr/share/icons/hicolor/scalable/apps/tuvako.svg
    ./usr/lib/systemd/user/tuvako.service
    ./usr/lib/systemd/system/tuvako-kiosk@.service
    ./usr/share/man/man1/tuvako.1.gz ./usr/share/man/man1/tuvako-sim.1.gz
    ./usr/share/man/man1/tuvako-wire.1.gz
    ./usr/libexec/tuvako/tuvako-kiosk
    ./usr/share/doc/tuvako/examples/Selvaro.ini
    ./usr/share/doc/tuvako/kiosk/README.md
    ./usr/share/doc/tuvako/copyright
)
status=0
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$contents" || { echo "missing from the package: $path" >&2; status=1; }
done
# The programs link our libraries statically; a shared one could only be a test's.
if grep -E '\.so(\.|$)' <<<"$contents" >&2; then
    echo "a shared library in the package" >&2
    status=1
fi

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/tuvako.desktop" || status=1
grep -q '^ExecStart=/usr/bin/tuvako --config-dir %E/tuvako$' \
    "$unpacked/usr/lib/systemd/user/tuvako.service" || { echo "unit: wrong ExecStart" >&2; status=1; }
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' \
    || { echo "Depends lacks the Qt libraries" >&2; status=1; }
dpkg-deb --field "$deb" Recommends | grep -q 'qt6-translations-l10n' \
    || { echo "Recommends lacks Qt's translations" >&2; status=1; }
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
for script in ./prerm ./postrm; do
    grep -qxF "$script" <<<"$control" || { echo "missing maintainer script: $script" >&2; status=1; }
done
check_architecture "$deb" "$unpacked" || status=1
scripts/verify-units.sh "$build_dir" || status=1
# lintian runs as root only when told to; an error or a warning fails the package.
lintian_output=$(lintian --allow-root --tag-display-limit 0 "$deb" || true)
[[ -n $lintian_output ]] && echo "$lintian_output"
if grep -q '^[EW]: ' <<<"$lintian_output"; then
    echo "lintian found errors or warnings" >&2
    status=1
fi
((status == 0)) && echo "package: $deb"
exit $status
