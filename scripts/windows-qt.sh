#!/usr/bin/env bash
# Makes Qt for Windows (Qt 6.4.2 for 64-bit Windows, MinGW-w64, shared, Release) available in
# the cache folder and prints its path:
#   scripts/windows-qt.sh            -> ${XDG_CACHE_HOME:-~/.cache}/tuvako/qt6-mingw-6.4.2
# It unpacks the archive that the team shares (../shared/windows-qt/qt6-mingw-6.4.2.tar.xz
# beside this repository, or $TUVAKO_WINDOWS_QT_ARCHIVE) when its SHA-256 is the one recorded
# here; otherwise it builds the same Qt from Debian's own qt6-base source package, which takes
# about an hour and a half on two cores. Installing what that needs takes root.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

version=6.4.2
debian_version=6.4.2+dfsg-10
archive_sha256=49631a4d75a2c288be38be64b06508e93cf9cd2d5f4d800e0264803e99f90ace
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tuvako
qt=$cache/qt6-mingw-$version
archive=${TUVAKO_WINDOWS_QT_ARCHIVE:-$top/../shared/windows-qt/qt6-mingw-$version.tar.xz}

# A finished unpacking or build leaves this mark; anything without it is started again.
done_mark=$qt/.tuvako-complete
if [[ -e $done_mark ]]; then
    echo "$qt"
    exit 0
fi
mkdir -p "$cache"
rm -rf "$qt"

unpack() {
    echo "Unpacking Qt for Windows from $archive" >&2
    local partial
    partial=$(mktemp -d "$cache/unpack.XXXXXX")
    tar -C "$partial" -xJf "$archive"
    mv "$partial/qt6-mingw-$version" "$qt"
    rmdir "$partial"
}

# The same configuration as the shared archive: qtbase only, the libraries the terminal and
# its tests use, everything third-party bundled inside, nothing that needs OpenGL.
build_from_source() {
    echo "No usable archive of Qt for Windows at $archive: building it from Debian's" \
         "qt6-base source. This takes about an hour and a half on two cores." >&2
    local packages=(cmake ninja-build xz-utils dpkg-dev qt6-base-dev qt6-base-dev-tools
                    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix)
    if [[ $(id -u) -eq 0 ]]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${packages[@]}" >&2
    fi
    local work
    work=$(mktemp -d "$cache/build.XXXXXX")
    (
        cd "$work"
        # apt-get source needs the archive's source lists: the binary lists, with deb-src.
        local lists=$work/apt
        mkdir -p "$lists/lists/partial"
        grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
            | sed 's/^deb /deb-src /' >"$lists/sources.list" || true
        for file in /etc/apt/sources.list.d/*.sources; do
            [[ -e $file ]] && sed 's/^Types: .*/Types: deb-src/' "$file" >"$lists/$(basename "$file")"
        done
        local apt_options=(-o Dir::Etc::SourceList="$lists/sources.list"
                           -o Dir::Etc::SourceParts="$lists" -o Dir::State::Lists="$lists/lists")
        apt-get "${apt_options[@]}" update -q >&2
        apt-get "${apt_options[@]}" source --download-only "qt6-base=$debian_version" >&2
        tar -xJf qt6-base_*.orig.tar.xz
        local source=$work/qtbase-everywhere-src-$version
        # Without OpenGL the Windows platform plugin still compiles one dynamic-OpenGL check.
        sed -i 's|^#if QT_CONFIG(dynamicgl)$|#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)|' \
            "$source/src/plugins/platforms/windows/qwindowswindow.cpp"
        local features=(sql dbus opengl vulkan printsupport concurrent xml openssl icu
                        system_zlib system_pcre2 system_harfbuzz system_png system_jpeg
                        system_freetype system_doubleconversion tabletevent)
        local off=()
        for feature in "${features[@]}"; do off+=(-DFEATURE_$feature=OFF); done
        cmake -S "$source" -B build -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-x86_64-w64-mingw32.cmake" \
            -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_INSTALL_PREFIX="$work/qt6-mingw-$version" -DBUILD_SHARED_LIBS=ON \
            -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
            "${off[@]}" -DFEATURE_testlib=ON -DFEATURE_network=ON -DFEATURE_widgets=ON >&2
        nice cmake --build build -j2 >&2
        cmake --install build >&2
        cp -r "$source/LICENSES" "$work/qt6-mingw-$version/LICENSES"
    )
    mv "$work/qt6-mingw-$version" "$qt"
    rm -rf "$work"
}

if [[ -f $archive ]] && echo "$archive_sha256  $archive" | sha256sum --check --status; then
    unpack
else
    [[ ! -f $archive ]] || echo "$archive does not have the recorded SHA-256; not used." >&2
    build_from_source
fi
touch "$done_mark"
echo "$qt"
