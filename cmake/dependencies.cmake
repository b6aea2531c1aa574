# Third-party code for the target: stb_image, zlib and minizip compiled from
# Debian's zlib source package, GoogleTest from Debian's googletest sources.
# None of it is kept in the repository.

# stb_image from Debian's libstb-dev, for decoding PNG files. The header is
# platform-free, but it lives among the host's headers, which must not be on
# the cross compiler's path: it is copied into the build tree and found there.
find_file(LIRVO_STB_IMAGE stb_image.h PATHS /usr/include/stb NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
configure_file(${LIRVO_STB_IMAGE} ${CMAKE_BINARY_DIR}/_deps/stb/stb/stb_image.h COPYONLY)
add_library(stb_image INTERFACE)
target_include_directories(stb_image SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/_deps/stb)

set(LIRVO_ZLIB_SOURCE ${CMAKE_BINARY_DIR}/_deps/zlib-src)
if(NOT EXISTS ${LIRVO_ZLIB_SOURCE}/contrib/minizip/unzip.c)
    message(STATUS "Fetching Debian's zlib source package for minizip")
    execute_process(
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-zlib-source ${LIRVO_ZLIB_SOURCE}
        RESULT_VARIABLE fetch_result)
    if(NOT fetch_result EQUAL 0)
        message(FATAL_ERROR "could not unpack the zlib source package (see above)")
    endif()
endif()

# zlib, with its CRC tables computed at the first CRC (zlib's own
# DYNAMIC_CRC_TABLE) instead of stored in the program: about 11 KB less in the
# 32-bit program and 16 KB in the 64-bit one, for a few microseconds once.
# Not -fdata-sections: with it GCC stores those zero-filled tables in the file
# rather than leaving them to be allocated at load. The gzip file functions are
# left out: nothing here reads or writes .gz files.
set(zlib_sources adler32.c compress.c crc32.c deflate.c infback.c inffast.c inflate.c inftrees.c trees.c
    uncompr.c zutil.c)
list(TRANSFORM zlib_sources PREPEND ${LIRVO_ZLIB_SOURCE}/)
add_library(zlib_static STATIC ${zlib_sources})
target_include_directories(zlib_static SYSTEM PUBLIC ${LIRVO_ZLIB_SOURCE})
target_compile_definitions(zlib_static PRIVATE DYNAMIC_CRC_TABLE)
target_compile_options(zlib_static PRIVATE -w -O2 -ffunction-sections ${LIRVO_HARDENING_FLAGS})

set(minizip_dir ${LIRVO_ZLIB_SOURCE}/contrib/minizip)
add_library(minizip STATIC
    ${minizip_dir}/unzip.c ${minizip_dir}/ioapi.c)
target_include_directories(minizip SYSTEM PUBLIC ${minizip_dir})
target_link_libraries(minizip PUBLIC zlib_static)
# Windows has no fopen64; the 32-bit file API is what the archive reader uses.
target_compile_definitions(minizip PUBLIC USE_FILE32API NOCRYPT NOUNCRYPT)
target_compile_options(minizip PRIVATE -w ${LIRVO_HARDENING_FLAGS} ${LIRVO_SIZE_FLAGS})

# The writing half of minizip, for tests that build archives of their own.
add_library(minizip_zip STATIC EXCLUDE_FROM_ALL ${minizip_dir}/zip.c)
target_link_libraries(minizip_zip PUBLIC minizip)
target_compile_options(minizip_zip PRIVATE -w ${LIRVO_HARDENING_FLAGS})

if(LIRVO_BUILD_TESTS)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)
    foreach(target gtest gtest_main gmock gmock_main)
        target_compile_options(${target} PRIVATE ${LIRVO_NO_RTTI})
    endforeach()
endif()
