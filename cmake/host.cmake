# Native build of the portable core and its unit tests, plus the superbuild.
include(ExternalProject)
enable_testing()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(vorlaks_core STATIC ${NATIVE_CORE_SOURCES})
target_include_directories(vorlaks_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vorlaks_core PRIVATE ${WARNING_FLAGS} -Werror ${SANITIZE})
target_link_options(vorlaks_core PUBLIC ${SANITIZE})

find_package(GTest REQUIRED)
add_executable(unit_tests ${UNIT_TEST_SOURCES} ${RUNTIME_PORTABLE_SOURCES})
target_compile_options(unit_tests PRIVATE ${WARNING_FLAGS} ${SANITIZE})
target_link_libraries(unit_tests PRIVATE vorlaks_core GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE VORLAKS_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                              VORLAKS_PACKED_DIR="${CMAKE_BINARY_DIR}/pictures")
# The pictures packed as the programs carry them, for the unit tests to unpack
# and compare with the originals.
pack_pictures(PACKED_PICTURES ${CMAKE_BINARY_DIR}/pictures)
add_custom_target(packed_pictures ALL DEPENDS ${PACKED_PICTURES})
add_test(NAME native.unit COMMAND unit_tests)

add_executable(data_step_bench bench/data_step_bench.cpp ${NATIVE_CORE_SOURCES})
target_include_directories(data_step_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(data_step_bench PRIVATE -O2 ${WARNING_FLAGS})

# The programs' own work counted as on a 486 (bench/pc1996.py): the board's
# drawing natively, Windows' part stood in for (bench/pc1996/, found before
# the real headers), on the shipped run-time's own routines; scalar code
# like the 486's, at fixed addresses so each instruction can be told.
find_program(VALGRIND valgrind)
add_executable(pc1996_bench bench/pc1996_bench.cpp vorsaver/board/board_renderer_win.cpp ${NATIVE_CORE_SOURCES}
                            ${RUNTIME_PORTABLE_SOURCES} common/runtime/c_library_win.cpp)
target_include_directories(pc1996_bench BEFORE PRIVATE ${CMAKE_SOURCE_DIR}/bench/pc1996 ${CMAKE_SOURCE_DIR})
target_compile_options(pc1996_bench PRIVATE -O2 -g -fno-tree-vectorize -fno-pie ${WARNING_FLAGS})
target_link_options(pc1996_bench PRIVATE -no-pie)
set_source_files_properties(common/runtime/bytes.cpp common/runtime/c_library_win.cpp TARGET_DIRECTORY pc1996_bench PROPERTIES
    COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")
add_dependencies(pc1996_bench packed_pictures)
if(VALGRIND)
    add_test(NAME bench.pc1996
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/bench/pc1996.py $<TARGET_FILE:pc1996_bench>
                ${CMAKE_BINARY_DIR}/pictures/menu)
endif()

# The Windows programs, for both targets: the shipped 32-bit build and a 64-bit
# build of the same sources (warning-free, pointer-size clean). Tests run the
# build that this machine's Wine can run. Each target is two build trees, the
# programs (win32 thread model) and the test drivers (posix), that put what
# they make into one bin folder.
foreach(arch i686 x86_64)
    foreach(part programs tests)
        if(part STREQUAL "programs")
            set(threads win32)
            set(tree ${CMAKE_BINARY_DIR}/${arch})
        else()
            set(threads posix)
            set(tree ${CMAKE_BINARY_DIR}/${arch}-tests)
        endif()
        ExternalProject_Add(windows_${arch}_${part}
            SOURCE_DIR ${CMAKE_SOURCE_DIR}
            BINARY_DIR ${tree}
            CMAKE_ARGS
                -DVORLAKS_ROLE=windows
                -DVORLAKS_WINDOWS_PART=${part}
                -DVORLAKS_THREADS=${threads}
                -DVORLAKS_BIN_DIR=${CMAKE_BINARY_DIR}/${arch}/bin
                -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-${arch}.cmake
                -DCMAKE_BUILD_TYPE=Release
            INSTALL_COMMAND ""
            BUILD_ALWAYS TRUE
            USES_TERMINAL_BUILD TRUE
            # A tree configured alone, for a script that builds one program of it.
            STEP_TARGETS configure)
    endforeach()
endforeach()

find_program(CLANGXX clang++)
if(CLANGXX)
    ExternalProject_Add(fuzz
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
        CMAKE_ARGS -DVORLAKS_ROLE=fuzz -DCMAKE_CXX_COMPILER=${CLANGXX} -DCMAKE_C_COMPILER=clang
        INSTALL_COMMAND ""
        BUILD_ALWAYS TRUE)
    add_test(NAME fuzz.movie_variables
        COMMAND ${CMAKE_BINARY_DIR}/fuzz/movie_variables_fuzz -max_total_time=20 -rss_limit_mb=2048
                ${CMAKE_BINARY_DIR}/fuzz/corpus ${CMAKE_SOURCE_DIR}/fuzz/seeds/movie_variables)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/corpus)
    add_test(NAME fuzz.registry_text
        COMMAND ${CMAKE_BINARY_DIR}/fuzz/registry_text_fuzz -max_total_time=10 -rss_limit_mb=2048)
endif()

# The tests that need the Windows builds, one file a subject.
include(cmake/tests/helpers.cmake)
include(cmake/tests/saver.cmake)
include(cmake/tests/menu_and_cd.cmake)
include(cmake/tests/floor.cmake)
include(cmake/tests/palette.cmake)
