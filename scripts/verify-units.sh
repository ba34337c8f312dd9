#!/usr/bin/env bash
# Checks both systemd units as systemd loads them: installs the build (BUILD_DIR, default
# build-package) into a temporary root beside a copy of the system's own units and runs
# `systemd-analyze verify` there, on an instance of the kiosk unit and on the user unit. Any
# output is a warning (a misplaced or unknown key, a program that is not there) and fails.
#   scripts/verify-units.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-package}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build_dir" --prefix /usr >/dev/null
system=$root/usr/lib/systemd/system
# The targets our units name (graphical.target, sysinit.target ...) come from systemd itself.
cp -an /usr/lib/systemd/system/. "$system/"
# An instance for a user that exists everywhere.
cp "$system/tuvako-kiosk@.service" "$system/tuvako-kiosk@root.service"
# The user manager takes no --root, so the user unit is loaded by the system manager: the
# same sections, keys and programs are checked.
cp "$root/usr/lib/systemd/user/tuvako.service" "$system/tuvako-user.service"

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
