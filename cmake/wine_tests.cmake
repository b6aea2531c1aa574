# Every test program is a Windows executable; CTest runs it through Wine in
# the build tree's private prefix (scripts/wine-run).

set(LIRVO_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run ${CMAKE_BINARY_DIR})

# lirvo_add_test(NAME SOURCES src... [LIBS lib...])
function(lirvo_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE lirvo_options lirvo_test_support ${ARG_LIBS} GTest::gtest GTest::gmock)
    add_test(NAME ${name}
        COMMAND ${LIRVO_WINE_RUN} $<TARGET_FILE:${name}> --gtest_color=no
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
