# The 64-bit twin: the same sources cross-built for 64-bit Windows, so that
# the whole suite can run under 64-bit Wine on machines whose kernel cannot
# execute 32-bit code. The programs that ship are the 32-bit ones.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LIRVO_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
