# Cross-building for 64-bit ARM (a Raspberry Pi with a 64-bit Debian-based system) on an amd64
# Debian machine with arm64 multiarch: the cross compiler from crossbuild-essential-arm64, the
# arm64 libraries (qt6-base-dev:arm64 ...) beside the amd64 ones in /usr, and Qt's code
# generators (moc, uic, rcc) from the amd64 qt6-base-dev-tools. scripts/setup.sh --arch arm64
# installs all of it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Both architectures share /usr, so the search stays there; multiarch keeps the arm64 libraries
# in their own directory, which CMAKE_LIBRARY_ARCHITECTURE makes CMake prefer.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

# pkg-config sees only the arm64 .pc files: a library installed for amd64 alone (Botan) must
# count as absent rather than be linked into arm64 programs.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

# Qt's code generators run on the build machine.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Test programs (and GoogleTest's discovery of their cases) run through the user-mode emulator.
# binfmt_misc hands the programs they start to it as well.
find_program(TUVAKO_AARCH64_EMULATOR NAMES qemu-aarch64-static qemu-aarch64)
if(TUVAKO_AARCH64_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TUVAKO_AARCH64_EMULATOR})
endif()
