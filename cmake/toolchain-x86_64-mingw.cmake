# The 64-bit twin: the same sources cross-built for 64-bit Windows, so that
# the whole suite can run under 64-bit Wine on machines whose kernel cannot
# execute 32-bit code. The programs that ship are the 32-bit ones.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LIRVO_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${LIRVO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LIRVO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${LIRVO_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LIRVO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
