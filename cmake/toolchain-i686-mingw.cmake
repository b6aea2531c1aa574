# Cross-build for 32-bit Windows with Debian's MinGW-w64: the programs that ship.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LIRVO_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
