# Settings every program and library of the project is compiled with.

# No run-time type information: nothing asks an object for its type (what the
# registry holds is told apart by a virtual call), and without it the shipped
# programs carry no type descriptions and none of the library's code that
# reads them. Tests derive from the toolkit's classes, so everything built
# here, GoogleTest included, is compiled the same way.
set(LIRVO_NO_RTTI -fno-rtti)

# The program's texts are ANSI bytes in code page 936: sources are UTF-8 and
# narrow literals are compiled into GBK. Wide literals stay UTF-16.
add_library(lirvo_options INTERFACE)
target_compile_options(lirvo_options INTERFACE
    -finput-charset=UTF-8 -fexec-charset=GBK
    -Wall -Wextra -Wno-unused-parameter
    $<$<COMPILE_LANGUAGE:CXX>:-Wno-missing-field-initializers ${LIRVO_NO_RTTI}>)
target_compile_definitions(lirvo_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 STRICT)
target_include_directories(lirvo_options INTERFACE ${PROJECT_SOURCE_DIR})

# Hardening of every program: stack protection, and ASLR and DEP asked for in
# the PE headers (the linker also keeps the relocations ASLR needs).
# Third-party code compiled here (minizip) gets the same compile flags.
set(LIRVO_HARDENING_FLAGS -fstack-protector-strong)
target_compile_options(lirvo_options INTERFACE ${LIRVO_HARDENING_FLAGS})

# The same sources give the same programs wherever they are built: the
# compiler records the source and build folders under fixed names in the
# debug information (and in __FILE__). GCC tries the last map given first, so
# the build folder, usually inside the source folder, comes last. A debugger
# finds the sources again through its path substitution (gdb: set
# substitute-path /lirvo-setup SOURCE). C and C++ only: windres takes no such
# option and records no folder.
set(LIRVO_RECORDED_SOURCE_DIR /lirvo-setup)
set(LIRVO_RECORDED_BINARY_DIR /lirvo-setup/build)
add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=${LIRVO_RECORDED_SOURCE_DIR}>
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=${LIRVO_RECORDED_BINARY_DIR}>)

# No runtime DLL beside any executable: libgcc, libstdc++ and libssp are linked in.
add_link_options(-static -static-libgcc -static-libstdc++ -fstack-protector-strong
                 -Wl,--dynamicbase -Wl,--nxcompat)

# What ships is built for size: optimised for size, with each function and
# datum in a section of its own, so that the linker drops what no shipped
# program uses. Tests and tools link the same libraries unchanged.
# (Link-time optimisation is left out: GCC 12's stops with an internal
# compiler error in binds_to_current_def_p on the setup program.)
# Nothing shipped catches an exception, so any exception already ends the
# program: without exception tables and unwind information its code is
# smaller, and the linker can drop the functions those tables would keep.
# A shipped program runs its code on one thread, so local statics need no
# guard against a second thread starting them at the same time.
set(LIRVO_SIZE_FLAGS -Os -ffunction-sections -fdata-sections
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-threadsafe-statics> -fno-asynchronous-unwind-tables)
set(LIRVO_SHIPPED_LINK_FLAGS -Os LINKER:--gc-sections)
define_property(DIRECTORY PROPERTY LIRVO_SHIPPED INHERITED)
define_property(TARGET PROPERTY LIRVO_SHIPPED INHERITED)
set(shipped $<BOOL:$<TARGET_PROPERTY:LIRVO_SHIPPED>>)
target_compile_options(lirvo_options INTERFACE $<${shipped}:${LIRVO_SIZE_FLAGS}>)
target_link_options(lirvo_options INTERFACE $<${shipped}:${LIRVO_SHIPPED_LINK_FLAGS}>)
unset(shipped)

# lirvo_shipped_code(): what is built in the calling directory and below
# ships, so it is built for size, and its programs and libraries are linked
# against the win32-thread-model runtime instead of the posix one the tests
# need. The code is compiled once, by the posix compiler, for both: what
# ships must not use the C++ library's threads or mutexes, and if it does,
# its link fails on the missing pthread functions rather than shipping them.
# A macro, because the link rules are variables of the directory.
find_program(LIRVO_SHIPPED_CXX ${LIRVO_SHIPPED_LINKER} REQUIRED)
macro(lirvo_shipped_code)
    set_property(DIRECTORY PROPERTY LIRVO_SHIPPED ON)
    foreach(rule CMAKE_CXX_LINK_EXECUTABLE CMAKE_CXX_CREATE_SHARED_LIBRARY CMAKE_CXX_CREATE_SHARED_MODULE)
        string(REPLACE "<CMAKE_CXX_COMPILER>" "${LIRVO_SHIPPED_CXX}" ${rule} "${${rule}}")
    endforeach()
endmacro()
