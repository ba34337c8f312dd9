#!/usr/bin/env bash
# Builds the Debian package tuvako_<version>_<arch>.deb in dist/ and checks it without
# installing it: its contents (the programs, desktop entry, units, manual page, example
# configuration), the desktop entry with desktop-file-validate, and lintian (no errors).
#   scripts/package.sh
# Install it afterwards with: apt-get install ./dist/tuvako_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --install-only  # installs what is missing, lintian and the like among it

build_dir=build-package
# -O2, as Debian builds its own packages (g++ 12 at -O3 also warns falsely about string copies).
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
      -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DTUVAKO_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" -j2
(cd "$build_dir" && cpack -G DEB >/dev/null)
mkdir -p dist
rm -f dist/tuvako_*.deb
mv "$build_dir"/tuvako_*.deb dist/
deb=$(ls dist/tuvako_*.deb)

# The contents an installer relies on.
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
expected=(
    ./usr/bin/tuvako ./usr/bin/tuvako-sim ./usr/bin/tuvako-wire
    ./usr/share/applications/tuvako.desktop
    ./usr/share/icons/hicolor/scalable/apps/tuvako.svg
    ./usr/lib/systemd/user/tuvako.service
    ./usr/lib/systemd/system/tuvako-kiosk@.service
    ./usr/share/man/man1/tuvako.1.gz
    ./usr/share/doc/tuvako/examples/Selvaro.ini
    ./usr/share/doc/tuvako/kiosk/README.md
    ./usr/share/doc/tuvako/copyright
)
status=0
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$contents" || { echo "missing from the package: $path" >&2; status=1; }
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/tuvako.desktop" || status=1
grep -q '^ExecStart=/usr/bin/tuvako --config-dir %E/tuvako$' \
    "$unpacked/usr/lib/systemd/user/tuvako.service" || { echo "unit: wrong ExecStart" >&2; status=1; }
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' \
    || { echo "Depends lacks the Qt libraries" >&2; status=1; }
dpkg-deb --field "$deb" Depends | grep -q 'qt6-translations-l10n' \
    || { echo "Depends lacks Qt's translations" >&2; status=1; }
# lintian runs as root only when told to; its errors fail the package, warnings are shown.
lintian_output=$(lintian --allow-root --tag-display-limit 0 "$deb" || true)
[[ -n $lintian_output ]] && echo "$lintian_output"
if grep -q '^E: ' <<<"$lintian_output"; then
    echo "lintian found errors" >&2
    status=1
fi
((status == 0)) && echo "package: $deb"
exit $status
