#!/usr/bin/env bash
# The Windows half of scripts/package.sh, run by `scripts/package.sh --windows`: builds a
# Release for 64-bit Windows with MinGW-w64 into build-package-windows/ and leaves in dist/,
# beside any Debian package there:
#   tuvako-<version>-windows-x64.zip  one folder Tuvako/ that runs wherever it is unpacked
#   tuvako-<version>-setup.exe        its NSIS installer (packaging/windows/tuvako.nsi)
# Then it checks them without Windows: the zip holds exactly the expected files, every .exe and
# .dll is x86-64 Windows code, every DLL that one of them imports is in the folder or is a
# Windows system DLL; and scripts/wine-package-trials.sh runs the zip and the installer under
# Wine. Each step's time is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows.sh

step_start=$SECONDS
step() {
    echo "== $1 (after $((SECONDS - step_start)) s)"
}

step "installing what is missing"
scripts/setup.sh --install-package-tools --windows
qt=$(windows_qt)
qt_version=$(sed -n 's/^version=//p' scripts/windows-qt.sh)
qt_debian_version=$(sed -n 's/^debian_version=//p' scripts/windows-qt.sh)
[[ -n $qt_version && -n $qt_debian_version ]] || { echo "scripts/windows-qt.sh names no Qt version" >&2; exit 1; }

step "building a Release for Windows in build-package-windows/"
build_dir=build-package-windows
ccache=()
command -v ccache >/dev/null && ccache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# -O2, as the Debian package is built.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
      -DBUILD_TESTING=OFF -DTUVAKO_BENCHMARKS=OFF "${ccache[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-w64-mingw32.cmake" \
      -DTUVAKO_WINDOWS_QT="$qt" >/dev/null
cmake --build "$build_dir" -j2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "no project version in $build_dir/CMakeCache.txt" >&2; exit 1; }

step "putting together Tuvako/"
gcc_runtime=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
mingw_runtime=/usr/x86_64-w64-mingw32/lib
gcc_copyright=/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright
mingw_copyright=/usr/share/doc/mingw-w64-x86-64-dev/copyright
package_dir=$build_dir/package
stage=$package_dir/Tuvako
rm -rf "$package_dir"
mkdir -p "$stage/platforms" "$stage/translations" "$stage/licenses/Qt"

# The DLLs a program or DLL imports, one a line, as its import table names them.
imports() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: *//p' | tr -d '\r'
}

# Windows' own DLLs that Qt, the runtime and the programs import; compared in lower case.
system_dlls=" advapi32.dll authz.dll bcrypt.dll comctl32.dll comdlg32.dll crypt32.dll d3d9.dll
    d3d11.dll d3d12.dll dnsapi.dll dwmapi.dll dwrite.dll dxgi.dll gdi32.dll imm32.dll
    iphlpapi.dll kernel32.dll mpr.dll msvcrt.dll netapi32.dll ole32.dll oleaut32.dll
    secur32.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll userenv.dll
    uxtheme.dll version.dll winhttp.dll winmm.dll ws2_32.dll wtsapi32.dll "
is_system_dll() {
    local name=${1,,}
    [[ $name == api-ms-win-* || $system_dlls == *[[:space:]]"$name"[[:space:]]* ]]
}

# The programs, stripped of their symbols as the Debian package's are, and the platform plugin.
for program in tuvako tuvako-sim tuvako-wire; do
    x86_64-w64-mingw32-strip --strip-unneeded -o "$stage/$program.exe" "$build_dir/bin/$program.exe"
done
# The DLLs without their debugging sections (the runtime's are most of its size).
copy_dll() {
    x86_64-w64-mingw32-strip --strip-debug -o "$2" "$1"
}
copy_dll "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/qwindows.dll"
# Qt's translations of its own dialogs (the colour dialog), for the system's language.
qt_translations=(/usr/share/qt6/translations/qtbase_*.qm)
cp "${qt_translations[@]}" "$stage/translations/"
# Every DLL they import, and what those import in turn, from Qt or the MinGW runtime. The
# "Windows" style of the terminal's classic look is inside Qt6Widgets.dll; no image is read
# from a file, so no image-format plugin is needed.
pending=("$stage"/*.exe "$stage/platforms/qwindows.dll")
while ((${#pending[@]})); do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    while read -r dll; do
        is_system_dll "$dll" && continue
        [[ -e $stage/$dll ]] && continue
        found=
        for folder in "$qt/bin" "$gcc_runtime" "$mingw_runtime"; do
            [[ -f $folder/$dll ]] && { found=$folder/$dll; break; }
        done
        if [[ -z $found ]]; then
            echo "${file##*/} imports $dll, which is neither in Qt, nor in the MinGW runtime," \
                 "nor on the list of Windows system DLLs" >&2
            exit 1
        fi
        copy_dll "$found" "$stage/$dll"
        pending+=("$stage/$dll")
    done < <(imports "$file")
done

# Text files for Windows: CR LF line ends (and nothing doubled when a source has them).
crlf() {
    sed 's/\r$//; s/$/\r/' "$@"
}
# The example, named so that unpacking or installing never overwrites a real Selvaro.ini; its
# opening words say where a Windows terminal reads it.
sed -e 's|^; Put it in the terminal.s configuration folder (~/.config/tuvako for an installed terminal,$|; Save it as Selvaro.ini beside tuvako.exe (C:\\Tuvako when installed), then run|' \
    -e 's|^; see tuvako(1)), then run "tuvako --check" to see how the terminal reads it.$|; "start /wait tuvako.exe --check" there to see how the terminal reads it.|' \
    packaging/Selvaro.ini | crlf >"$stage/Selvaro.example.ini"
grep -q 'beside tuvako.exe' "$stage/Selvaro.example.ini" \
    || { echo "packaging/Selvaro.ini: its opening lines changed; update the Windows wording here" >&2; exit 1; }
fill_in() {
    sed -e "s/@VERSION@/$version/g" -e "s/@QT_VERSION@/$qt_version/g" \
        -e "s/@QT_DEBIAN_VERSION@/$qt_debian_version/g" "$1"
}
# A byte-order mark, so that every Notepad shows the Finnish letters right.
{ printf '\xef\xbb\xbf'; fill_in packaging/windows/README.txt | crlf; } >"$stage/README.txt"
# Task Scheduler imports UTF-16 (what it writes itself).
{ printf '\xff\xfe'; crlf packaging/windows/tuvako-task.xml | iconv -f UTF-8 -t UTF-16LE; } \
    >"$stage/tuvako-task.xml"
fill_in packaging/windows/licenses-README.txt | crlf >"$stage/licenses/README.txt"
crlf packaging/copyright >"$stage/licenses/Tuvako.txt"
for text in "$qt"/LICENSES/*.txt; do
    crlf "$text" >"$stage/licenses/Qt/${text##*/}"
done
grep -q 'GCC RUNTIME LIBRARY EXCEPTION' "$gcc_copyright" \
    || { echo "$gcc_copyright lacks the GCC Runtime Library Exception" >&2; exit 1; }
grep -q 'winpthreads' "$mingw_copyright" \
    || { echo "$mingw_copyright does not cover winpthreads" >&2; exit 1; }
crlf "$gcc_copyright" >"$stage/licenses/GCC-runtime.txt"
crlf "$mingw_copyright" >"$stage/licenses/MinGW-w64-runtime.txt"

step "making the zip and the installer"
mkdir -p dist
zip_name=tuvako-$version-windows-x64.zip
setup_name=tuvako-$version-setup.exe
rm -f "dist/$zip_name" "dist/$setup_name"
(cd "$package_dir" && zip -q -r -X "$zip_name" Tuvako)

# The installer's file lists, written from the folder: what it installs, and the same in
# reverse for the uninstaller (files, then the folders from the deepest).
files_nsh=$package_dir/files.nsh
{
    echo '!macro InstallFiles'
    while read -r folder; do
        relative=${folder#"$stage"}
        echo "  SetOutPath \"\$INSTDIR${relative//\//\\}\""
        find "$folder" -maxdepth 1 -type f | sort | while read -r file; do
            echo "  File \"$PWD/$file\""
        done
    done < <(find "$stage" -type d | sort)
    echo '  SetOutPath "$INSTDIR"'
    echo '!macroend'
    echo '!macro UninstallFiles'
    (cd "$stage" && find . -type f | sort) | while read -r file; do
        file=${file#./}
        echo "  Delete \"\$INSTDIR\\${file//\//\\}\""
    done
    (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r folder; do
        folder=${folder#./}
        echo "  RMDir \"\$INSTDIR\\${folder//\//\\}\""
    done
    echo '!macroend'
} >"$files_nsh"
if grep -qiE 'Selvaro\.ini|Selwi\.ini' "$files_nsh"; then
    echo "the installer's file list names Selvaro.ini or Selwi.ini" >&2
    exit 1
fi
makensis -V2 -DVERSION="$version" -DFILES="$PWD/$files_nsh" \
    -DICON="$PWD/packaging/windows/tuvako.ico" -DOUTFILE="$PWD/$package_dir/$setup_name" \
    packaging/windows/tuvako.nsi
mv "$package_dir/$zip_name" "$package_dir/$setup_name" dist/

step "checking the zip and the installer"
status=0
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "dist/$zip_name" -d "$unpacked"

# Exactly these files: a missing one breaks the folder, an unexpected one (a test library, a
# plugin nobody loads, a Selvaro.ini that would overwrite a real one) does not belong in it.
expected=(
    Tuvako/tuvako.exe Tuvako/tuvako-sim.exe Tuvako/tuvako-wire.exe
    Tuvako/Qt6Core.dll Tuvako/Qt6Gui.dll Tuvako/Qt6Widgets.dll Tuvako/Qt6Network.dll
    Tuvako/platforms/qwindows.dll
    Tuvako/libstdc++-6.dll Tuvako/libgcc_s_seh-1.dll Tuvako/libwinpthread-1.dll
    Tuvako/Selvaro.example.ini Tuvako/README.txt Tuvako/tuvako-task.xml
    Tuvako/licenses/README.txt Tuvako/licenses/Tuvako.txt Tuvako/licenses/GCC-runtime.txt
    Tuvako/licenses/MinGW-w64-runtime.txt
)
for text in "$qt"/LICENSES/*.txt; do expected+=("Tuvako/licenses/Qt/${text##*/}"); done
for qm in "${qt_translations[@]}"; do expected+=("Tuvako/translations/${qm##*/}"); done
found=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | sort)
want=$(printf '%s\n' "${expected[@]}" | sort)
if [[ $found != "$want" ]]; then
    comm -13 <(echo "$want") <(echo "$found") | sed 's/^/unexpected in the zip: /' >&2
    comm -23 <(echo "$want") <(echo "$found") | sed 's/^/missing from the zip: /' >&2
    status=1
fi

# Every program and DLL is 64-bit Windows code, and so is the installer.
while read -r binary; do
    description=$(file -b "$binary")
    [[ $description == "PE32+ executable"*"x86-64"*"MS Windows"* ]] \
        || { echo "${binary#"$unpacked"/} is not x86-64 Windows code: $description" >&2; status=1; }
done < <(find "$unpacked" -type f \( -iname '*.exe' -o -iname '*.dll' \); echo "dist/$setup_name")

# Every DLL imported is beside the program (a plugin's, in its folder's parent) or is Windows'
# own: looked up without regard to case, as Windows does.
folder=$unpacked/Tuvako
while read -r binary; do
    while read -r dll; do
        is_system_dll "$dll" && continue
        [[ -n $(find "$folder" -maxdepth 1 -type f -iname "$dll") ]] && continue
        echo "${binary#"$folder"/} imports $dll, which is neither in the folder nor Windows' own" >&2
        status=1
    done < <(imports "$binary")
done < <(find "$folder" -type f \( -iname '*.exe' -o -iname '*.dll' \))

# The texts an administrator opens in Notepad have CR LF line ends, every line.
for text in Selvaro.example.ini README.txt licenses/README.txt licenses/Tuvako.txt; do
    if grep -q $'[^\r]$\|^$' "$folder/$text"; then
        echo "Tuvako/$text has a line without CR LF" >&2
        status=1
    fi
done
grep -q '@[A-Z_]*@' "$folder/README.txt" "$folder/licenses/README.txt" \
    && { echo "a placeholder is left in a README" >&2; status=1; }
((status == 0)) || exit $status

step "trying the zip and the installer under Wine"
scripts/wine-package-trials.sh "dist/$zip_name" "dist/$setup_name" "$build_dir/wine-trials"

step "done"
echo "package: dist/$zip_name"
echo "package: dist/$setup_name"
