#!/usr/bin/env bash
# Checks both systemd units as systemd loads them: installs the build (BUILD_DIR, default
# build-package) into a temporary root beside a copy of the system's own units and runs
# `systemd-analyze verify` there, on an instance of the kiosk unit and on the user unit. Any
# output is a warning (a misplaced or unknown key, a program that is not there) and fails.
# scripts/package.sh runs it on the package's build.
#   scripts/verify-units.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-package}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build_dir" >/dev/null
# The targets our units name (graphical.target, sysinit.target ...) come from systemd itself.
mkdir -p "$root/usr/lib/systemd/system" "$root/etc/systemd/system"
cp -an /usr/lib/systemd/system/. "$root/usr/lib/systemd/system/"
# The units as installed (under the build's prefix), loaded from /etc of the root: an instance
# of the kiosk unit for a user that exists everywhere, and the user unit. The user manager
# takes no --root, so the system manager loads the user unit: the same sections, keys and
# programs are checked.
kiosk_unit=$(find "$root" -path '*/systemd/system/tuvako-kiosk@.service')
user_unit=$(find "$root" -path '*/systemd/user/tuvako.service')
cp "$kiosk_unit" "$root/etc/systemd/system/tuvako-kiosk@root.service"
cp "$user_unit" "$root/etc/systemd/system/tuvako-user.service"

status=0
for unit in tuvako-kiosk@root.service tuvako-user.service; do
    # The manual pages are checked among the package's contents.
    output=$(systemd-analyze verify --root="$root" --man=no --system "$unit" 2>&1) || status=1
    if [[ -n $output ]]; then
        echo "$output" >&2
        status=1
    fi
done
((status == 0)) && echo "units: both verified"
exit $status
