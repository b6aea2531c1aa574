# What both MinGW-w64 toolchains share; the including file sets
# CMAKE_SYSTEM_PROCESSOR and LIRVO_TRIPLET first. The posix thread model
# gives the C++ library its mutexes and threads, which GoogleTest and the
# tests need; winpthread is linked statically like the rest of the runtime.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${LIRVO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LIRVO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${LIRVO_TRIPLET}-windres)

# The shipped programs start no threads of their own and take no C++ locks,
# so they are linked by the same GCC built for the win32 thread model, whose
# runtime needs no winpthread (lirvo_link_as_shipped).
set(LIRVO_SHIPPED_LINKER ${LIRVO_TRIPLET}-g++-win32)

set(CMAKE_FIND_ROOT_PATH /usr/${LIRVO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
