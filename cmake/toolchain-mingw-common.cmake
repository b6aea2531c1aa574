# What both MinGW-w64 toolchains share; the including file sets
# CMAKE_SYSTEM_PROCESSOR and LIRVO_TRIPLET first. The posix thread model
# gives the C++ library its mutexes (GoogleTest needs them); winpthread is
# linked statically like the rest of the runtime.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${LIRVO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LIRVO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${LIRVO_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LIRVO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
