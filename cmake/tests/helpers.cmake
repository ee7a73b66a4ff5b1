# How a test is added: the Wine environments the end-to-end tests run in, and
# the rules a GoogleTest run must meet to pass.

set(WINE_ENV ${CMAKE_SOURCE_DIR}/tools/wine-env.sh)
set(CHECK_FLOOR ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_floor.py)
set(API_FLOOR ${CMAKE_SOURCE_DIR}/tools/api_floor.tsv)
set(OBJDUMP_I686 i686-w64-mingw32-objdump)

# Which Windows build runs under this machine's Wine: a kernel without 32-bit
# support runs the x86_64 build of the same sources.
execute_process(COMMAND sh ${CMAKE_SOURCE_DIR}/tools/wine32-native.sh RESULT_VARIABLE wine32_rc
                OUTPUT_QUIET ERROR_QUIET)
if(wine32_rc EQUAL 0)
    set(RUN_ARCH i686)
else()
    set(RUN_ARCH x86_64)
endif()
message(STATUS "Wine tests run the ${RUN_ARCH} build")
set(WIN_BIN ${CMAKE_BINARY_DIR}/${RUN_ARCH}/bin)

# A GoogleTest run passes only if some test ran and none failed, so that a
# filter that matches nothing, or a run whose every test skipped, is seen.
function(expect_gtests name)
    set_tests_properties(${name} PROPERTIES
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

# A Wine environment of its own (tools/wine-env.sh): its display, wineserver
# and prefix under <build>/wine-NAME, started by wine.start.NAME and stopped by
# wine.stop.NAME, with the VAR=value settings given for its start. Without a
# NAME, the default environment (<build>/wine, fixture "wine").
function(add_wine_environment)
    cmake_parse_arguments(ARG "" "NAME;REQUIRES" "" ${ARGN})
    if(ARG_NAME)
        set(suffix .${ARG_NAME})
        set(state VORLAKS_WINE_STATE=wine-${ARG_NAME})
    endif()
    add_test(NAME wine.start${suffix} COMMAND env ${state} ${ARG_UNPARSED_ARGUMENTS} ${WINE_ENV} start ${CMAKE_BINARY_DIR})
    add_test(NAME wine.stop${suffix} COMMAND env ${state} ${WINE_ENV} stop ${CMAKE_BINARY_DIR})
    set_tests_properties(wine.start${suffix} PROPERTIES FIXTURES_SETUP wine${suffix})
    set_tests_properties(wine.stop${suffix} PROPERTIES FIXTURES_CLEANUP wine${suffix})
    if(ARG_REQUIRES)
        set_tests_properties(wine.start${suffix} PROPERTIES FIXTURES_REQUIRED ${ARG_REQUIRES})
    endif()
endfunction()

# add_wine_test(NAME [IN environment] [SET VAR=value...] [TIMEOUT s] [GTEST]
#               COMMAND program args...)
# Runs a Windows program in a Wine environment, one test on the display at a
# time. GTEST: a GoogleTest run, held to expect_gtests.
function(add_wine_test name)
    cmake_parse_arguments(ARG "GTEST" "IN;TIMEOUT" "SET;COMMAND" ${ARGN})
    set(fixture wine)
    if(ARG_IN)
        set(fixture wine.${ARG_IN})
        list(PREPEND ARG_SET VORLAKS_WINE_STATE=wine-${ARG_IN})
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    add_test(NAME ${name} COMMAND env ${ARG_SET} ${WINE_ENV} run ${CMAKE_BINARY_DIR} ${ARG_COMMAND})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${fixture} RESOURCE_LOCK display
                                            TIMEOUT ${ARG_TIMEOUT})
    if(ARG_GTEST)
        expect_gtests(${name})
    endif()
endfunction()
