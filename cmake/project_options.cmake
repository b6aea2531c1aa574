# Settings every program and library of the project is compiled with.

# The program's texts are ANSI bytes in code page 936: sources are UTF-8 and
# narrow literals are compiled into GBK. Wide literals stay UTF-16.
add_library(lirvo_options INTERFACE)
target_compile_options(lirvo_options INTERFACE
    -finput-charset=UTF-8 -fexec-charset=GBK
    -Wall -Wextra -Wno-unused-parameter
    $<$<COMPILE_LANGUAGE:CXX>:-Wno-missing-field-initializers>)
target_compile_definitions(lirvo_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 STRICT)
target_include_directories(lirvo_options INTERFACE ${PROJECT_SOURCE_DIR})

# Hardening of every program: stack protection, and ASLR and DEP asked for in
# the PE headers (the linker also keeps the relocations ASLR needs).
# Third-party code compiled here (minizip) gets the same compile flags.
set(LIRVO_HARDENING_FLAGS -fstack-protector-strong)
target_compile_options(lirvo_options INTERFACE ${LIRVO_HARDENING_FLAGS})

# No runtime DLL beside any executable: libgcc, libstdc++ and libssp are linked in.
add_link_options(-static -static-libgcc -static-libstdc++ -fstack-protector-strong
                 -Wl,--dynamicbase -Wl,--nxcompat)
