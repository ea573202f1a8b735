# Cross-builds Vorlen for 64-bit Windows on Debian with the mingw-w64 compilers
# in their POSIX-thread flavour (std::thread and std::mutex need it).
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Everything is linked statically (libgcc, libstdc++, winpthread), so vorlen.exe
# runs with no DLL beside it. Test programs run under Wine through
# tools/wine-run.sh, which needs WINEPREFIX to name a prefix that
# tools/windows.sh has made (`sh tools/windows.sh test` does both).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORLEN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORLEN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORLEN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VORLEN_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${VORLEN_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${VORLEN_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "Ranlib")
set(CMAKE_STRIP ${VORLEN_MINGW_TRIPLET}-strip CACHE FILEPATH "Strip")

# Look for headers and libraries in the cross compiler's own tree only, and
# for build tools on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VORLEN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static takes libgcc, libstdc++ and winpthread into the executable; the
# system DLLs (kernel32, user32, gdi32 ...) stay imports as they must.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Resource scripts are UTF-8 (each also says so with #pragma code_page(65001)).
set(CMAKE_RC_FLAGS_INIT "-c 65001")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
