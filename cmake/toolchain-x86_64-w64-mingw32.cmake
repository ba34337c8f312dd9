# Cross-building for 64-bit Windows on a Debian machine: Debian's MinGW-w64 in the POSIX thread
# model (the one that Qt for Windows is built with: two C++ runtimes in one program clash), Qt
# for Windows from scripts/windows-qt.sh (its folder in TUVAKO_WINDOWS_QT), and Qt's code
# generators (moc, uic, rcc) from this machine's qt6-base-dev-tools.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Packages are looked for only in the MinGW tree and in Qt for Windows, never among this
# machine's own libraries.
if(NOT TUVAKO_WINDOWS_QT AND DEFINED ENV{TUVAKO_WINDOWS_QT})
    set(TUVAKO_WINDOWS_QT $ENV{TUVAKO_WINDOWS_QT})
endif()
set(TUVAKO_WINDOWS_QT "${TUVAKO_WINDOWS_QT}" CACHE PATH "Qt for Windows (scripts/windows-qt.sh)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TUVAKO_WINDOWS_QT)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${TUVAKO_WINDOWS_QT})
set(CMAKE_PREFIX_PATH ${TUVAKO_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config would offer this machine's libraries (Botan): for Windows there are none.
set(ENV{PKG_CONFIG_LIBDIR} /nonexistent)

set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

