# Native build of the portable core and its unit tests, plus the superbuild.
include(ExternalProject)
enable_testing()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(vorlaks_core STATIC ${CORE_SOURCES} vorsaver/movie/date_services_portable.cpp)
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

add_executable(data_step_bench bench/data_step_bench.cpp ${CORE_SOURCES} vorsaver/movie/date_services_portable.cpp)
target_include_directories(data_step_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(data_step_bench PRIVATE -O2 ${WARNING_FLAGS})

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
            USES_TERMINAL_BUILD TRUE)
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

# Which Windows build runs under this machine's Wine.
execute_process(COMMAND sh ${CMAKE_SOURCE_DIR}/tools/wine32-native.sh RESULT_VARIABLE wine32_rc
                OUTPUT_QUIET ERROR_QUIET)
if(wine32_rc EQUAL 0)
    set(RUN_ARCH i686)
else()
    set(RUN_ARCH x86_64)
endif()
message(STATUS "Wine tests run the ${RUN_ARCH} build")
set(WIN_BIN ${CMAKE_BINARY_DIR}/${RUN_ARCH}/bin)
set(WINE_ENV ${CMAKE_SOURCE_DIR}/tools/wine-env.sh)

add_test(NAME wine.start COMMAND ${WINE_ENV} start ${CMAKE_BINARY_DIR})
add_test(NAME wine.stop COMMAND ${WINE_ENV} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

function(add_wine_test name)
    add_test(NAME ${name} COMMAND ${WINE_ENV} run ${CMAKE_BINARY_DIR} ${ARGN})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 300)
endfunction()

add_wine_test(wine.unit ${WIN_BIN}/unit_tests.exe)
# The shipped programs' own run-time in a real process: static constructors,
# exit routines, the arguments, 64-bit division, stack probes, the tree.
add_wine_test(wine.runtime ${WIN_BIN}/runtime-probe.exe one "two three")
foreach(suite IN ITEMS Startup DataStep MovieWindow DayBoard Monitors MonitorList SaverInput Settings Preview SetupOn9x)
    add_wine_test(e2e.${suite} ${WIN_BIN}/e2e_saver_tests.exe --gtest_filter=${suite}.*)
endforeach()
# The saver all night: the system's notices of a change; starts, input and
# ends over and over; kills while it writes its files, also on Windows
# 95/98/Me's file calls.
add_wine_test(e2e.NewDay ${WIN_BIN}/e2e_saver_tests.exe --gtest_filter=NewDay.*-NewDay.AtMidnight*)
add_wine_test(e2e.Night ${WIN_BIN}/e2e_saver_tests.exe --gtest_filter=Night.*)
set_tests_properties(e2e.Night PROPERTIES TIMEOUT 600)
# Midnight itself, in an environment of its own whose time zone puts local
# time fifteen seconds before midnight as the test starts.
add_test(NAME e2e.Midnight
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/before-midnight.sh ${CMAKE_BINARY_DIR} 15
            ${WIN_BIN}/e2e_saver_tests.exe --gtest_filter=NewDay.AtMidnight*)
set_tests_properties(e2e.Midnight PROPERTIES RESOURCE_LOCK display TIMEOUT 120
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
# Two minutes of the saver left running (bench/soak.sh; ten by default), in
# an environment of its own: memory and objects flat, the board moving, the
# saver under 1 % of a core.
add_test(NAME bench.soak COMMAND bash ${CMAKE_SOURCE_DIR}/bench/soak.sh ${CMAKE_BINARY_DIR} 2 ${WIN_BIN})
set_tests_properties(bench.soak PROPERTIES RESOURCE_LOCK display TIMEOUT 300)
# The same month-name test in a German user locale.
add_wine_test(e2e.DataStep.German ${WIN_BIN}/e2e_saver_tests.exe --gtest_filter=DataStep.MonthName*)
set_tests_properties(e2e.DataStep.German PROPERTIES ENVIRONMENT LC_ALL=de_DE.UTF-8)

# The centring again on a 1024 x 768 screen: a second environment with its own
# display and wineserver, its prefix a copy of the same base as the first's.
# The tests fail unless Windows reports that size, and ctest unless some ran.
set(WINE_1024 env VORLAKS_WINE_STATE=wine-1024)
add_test(NAME wine.start.1024 COMMAND ${WINE_1024} VORLAKS_SCREEN=1024x768x24 ${WINE_ENV} start ${CMAKE_BINARY_DIR})
add_test(NAME wine.stop.1024 COMMAND ${WINE_1024} ${WINE_ENV} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine.start.1024 PROPERTIES FIXTURES_SETUP wine.1024)
set_tests_properties(wine.stop.1024 PROPERTIES FIXTURES_CLEANUP wine.1024)
foreach(filter IN ITEMS "MovieWindow.*-MovieWindow.MovieTakingTheFocus*" "DayBoard.*")
    string(REGEX REPLACE "\\..*" "" suite "${filter}")
    add_test(NAME e2e.${suite}.1024
        COMMAND ${WINE_1024} VORLAKS_EXPECT_SCREEN=1024x768 ${WINE_ENV} run ${CMAKE_BINARY_DIR}
                ${WIN_BIN}/e2e_saver_tests.exe --gtest_filter=${filter})
    set_tests_properties(e2e.${suite}.1024 PROPERTIES FIXTURES_REQUIRED wine.1024 RESOURCE_LOCK display TIMEOUT 300
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endforeach()

# The saver with two monitors: a third environment whose display has two
# screens (Xvfb puts both at 0,0, so this proves the multi-monitor calls and
# the covering of the virtual screen, not a placement beside the primary;
# the unit tests cover that).
set(WINE_2MON env VORLAKS_WINE_STATE=wine-2mon)
add_test(NAME wine.start.2mon COMMAND ${WINE_2MON} VORLAKS_SECOND_SCREEN=640x480x24 ${WINE_ENV} start ${CMAKE_BINARY_DIR})
add_test(NAME wine.stop.2mon COMMAND ${WINE_2MON} ${WINE_ENV} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine.start.2mon PROPERTIES FIXTURES_SETUP wine.2mon)
set_tests_properties(wine.stop.2mon PROPERTIES FIXTURES_CLEANUP wine.2mon)
add_test(NAME e2e.Monitors.2mon
    COMMAND ${WINE_2MON} VORLAKS_EXPECT_MONITORS=2 ${WINE_ENV} run ${CMAKE_BINARY_DIR}
            ${WIN_BIN}/e2e_saver_tests.exe --gtest_filter=Monitors.*:DayBoard.*)
set_tests_properties(e2e.Monitors.2mon PROPERTIES FIXTURES_REQUIRED wine.2mon RESOURCE_LOCK display TIMEOUT 300
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

# The floor: the shipped programs import only what a clean Windows 95 and
# NT 4 have (tools/api_floor.tsv), and hold no instruction that a 486 lacks;
# the 64-bit build, which does not ship, imports only Windows' own DLLs. The
# check itself must refuse what would not start there: the test drivers (the
# posix runtime's imports, built for the Pentium Pro) and a program on the
# C library's DLL.
set(CHECK_FLOOR ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_floor.py)
set(API_FLOOR ${CMAKE_SOURCE_DIR}/tools/api_floor.tsv)
set(OBJDUMP_I686 i686-w64-mingw32-objdump)
add_test(NAME floor.i686 COMMAND ${CHECK_FLOOR} ${OBJDUMP_I686} ${API_FLOOR} --cpu
         ${CMAKE_BINARY_DIR}/i686/bin/vorsaver.scr ${CMAKE_BINARY_DIR}/i686/bin/menu.exe
         ${CMAKE_BINARY_DIR}/i686/bin/exec.exe ${CMAKE_BINARY_DIR}/i686/bin/axflash.exe
         ${CMAKE_BINARY_DIR}/i686/bin/instscr.exe ${CMAKE_BINARY_DIR}/i686/bin/insttm98.exe
         ${CMAKE_BINARY_DIR}/i686/bin/insttmNT.exe)
add_test(NAME floor.x86_64 COMMAND ${CHECK_FLOOR} x86_64-w64-mingw32-objdump ${API_FLOOR} --dlls-only
         ${CMAKE_BINARY_DIR}/x86_64/bin/vorsaver.scr ${CMAKE_BINARY_DIR}/x86_64/bin/menu.exe
         ${CMAKE_BINARY_DIR}/x86_64/bin/exec.exe ${CMAKE_BINARY_DIR}/x86_64/bin/axflash.exe)
foreach(refusal IN ITEMS
        "Unloadable|unit_tests.exe|GetTickCount64: missing on Windows 95 and NT 4"
        "PentiumPro|unit_tests.exe|instructions that a 486 lacks.*cmov"
        "CLibraryDll|black-window.exe|msvcrt.dll is not part of a clean Windows 95")
    string(REPLACE "|" ";" refusal "${refusal}")
    list(GET refusal 0 name)
    list(GET refusal 1 program)
    list(GET refusal 2 expected)
    add_test(NAME floor.refuses${name} COMMAND ${CHECK_FLOOR} ${OBJDUMP_I686} ${API_FLOOR} --cpu
             ${CMAKE_BINARY_DIR}/i686/bin/${program})
    set_tests_properties(floor.refuses${name} PROPERTIES PASS_REGULAR_EXPRESSION "FAULT [^\n]*${expected}")
endforeach()

# The password change hands its arguments to the system's mpr, whose Wine
# stub prints them when asked to.
add_test(NAME e2e.PasswordChange
    COMMAND env WINEDEBUG=fixme+mpr ${WINE_ENV} run ${CMAKE_BINARY_DIR} ${WIN_BIN}/vorsaver.scr /a 1234)
set_tests_properties(e2e.PasswordChange PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 60
    PASS_REGULAR_EXPRESSION "PwdChangePasswordA \"SCRSAVE\" 0*4D2 0 0+([^0-9A-Fa-f]|$)")

# The CD menu, run from a CD folder of each test's own with stand-ins for the
# installers and exec. Its pass needs some test to have run.
set(MENU_TESTS ${WIN_BIN}/e2e_menu_tests.exe)
# The CD's own programs: exec and the Flash player notice.
add_wine_test(e2e.CdPrograms ${MENU_TESTS} --gtest_filter=CdPrograms.*)
set_tests_properties(e2e.CdPrograms PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
foreach(suite IN ITEMS Window Hover Clicks Theme)
    add_wine_test(e2e.menu.${suite} ${MENU_TESTS} --gtest_filter=Menu${suite}.*-*.FromADrivesRoot*)
    set_tests_properties(e2e.menu.${suite} PROPERTIES
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endforeach()
# The menu at a drive's root: Wine's drive M: leads to an empty folder of the
# build tree for this test.
add_test(NAME e2e.menu.DriveRoot
    COMMAND sh -c "rm -rf \"$1/wine/menu-root\" && mkdir -p \"$1/wine/menu-root\" && ln -sfn \"$1/wine/menu-root\" \"$1/wine/prefix/dosdevices/m:\" && exec \"$2\" run \"$1\" \"$3\" --gtest_filter=MenuClicks.FromADrivesRoot*"
            sh ${CMAKE_BINARY_DIR} ${WINE_ENV} ${MENU_TESTS})
set_tests_properties(e2e.menu.DriveRoot PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 60
    ENVIRONMENT VORLAKS_ROOT_DRIVE=M:
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

# The movie played by a real Flash player implementation (Ruffle in headless
# Chromium), checked by what it draws.
add_test(NAME movie.ruffle COMMAND bash ${CMAKE_SOURCE_DIR}/tools/test-movie.sh)
set_tests_properties(movie.ruffle PROPERTIES TIMEOUT 300)

# The CD laid out and its image written (no Wine needed), and every program
# on the image itself, and those its installers carry, against the floor.
add_test(NAME cd.layout COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make-cd.sh --bin ${CMAKE_BINARY_DIR}/i686/bin)
set_tests_properties(cd.layout PROPERTIES FIXTURES_SETUP cd)
add_test(NAME floor.cd COMMAND ${CHECK_FLOOR} ${OBJDUMP_I686} ${API_FLOOR} --cpu
         ${CMAKE_BINARY_DIR}/vorlaks-theme-pack.iso)
set_tests_properties(floor.cd PROPERTIES FIXTURES_REQUIRED cd)

# The screen saver's setup, built for both targets like the other programs:
# the build this machine's Wine runs.
add_test(NAME e2e.installer
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cd/installer_test.sh ${CMAKE_BINARY_DIR} ${WIN_BIN}/instscr.exe ${WIN_BIN})
set_tests_properties(e2e.installer PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 400)

# The theme installers, in Wine environments of the test's own.
add_test(NAME e2e.themes COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cd/theme_test.sh ${CMAKE_BINARY_DIR}
         ${WIN_BIN}/insttm98.exe ${WIN_BIN}/insttmNT.exe)
set_tests_properties(e2e.themes PROPERTIES RESOURCE_LOCK display TIMEOUT 300)

# The CD's programs are 32-bit: their end-to-end tests run where this
# machine's Wine runs 32-bit programs, and say so where it cannot.
if(RUN_ARCH STREQUAL "i686")

    # The whole CD in a CD-ROM drive: build/cd shows as E: in an environment
    # of its own, and the menu runs from there.
    set(WINE_CD env VORLAKS_WINE_STATE=wine-cd)
    add_test(NAME wine.start.cd
        COMMAND ${WINE_CD} VORLAKS_CD_FOLDER=${CMAKE_BINARY_DIR}/cd ${WINE_ENV} start ${CMAKE_BINARY_DIR})
    add_test(NAME wine.stop.cd COMMAND ${WINE_CD} ${WINE_ENV} stop ${CMAKE_BINARY_DIR})
    set_tests_properties(wine.start.cd PROPERTIES FIXTURES_SETUP wine.cd FIXTURES_REQUIRED cd)
    set_tests_properties(wine.stop.cd PROPERTIES FIXTURES_CLEANUP wine.cd)
    add_test(NAME e2e.CdDrive
        COMMAND ${WINE_CD} VORLAKS_CD_DRIVE=E: ${WINE_ENV} run ${CMAKE_BINARY_DIR} ${MENU_TESTS} --gtest_filter=CdDrive.*)
    set_tests_properties(e2e.CdDrive PROPERTIES FIXTURES_REQUIRED wine.cd RESOURCE_LOCK display TIMEOUT 300
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
else()
    add_test(NAME e2e.cd COMMAND sh -c "echo 'The CD carries 32-bit programs, which this machine cannot run (its Wine runs 64-bit programs only): the CD end-to-end tests are skipped.'; exit 77")
    set_tests_properties(e2e.cd PROPERTIES SKIP_RETURN_CODE 77)
endif()

# The CD's own files as the computers of the day read them, its game page's
# game played in node, and its image with every file in place.
# The game page in a real browser (headless Chromium) at three screen sizes,
# its game played by clicking.
add_test(NAME cd.page COMMAND bash ${CMAKE_SOURCE_DIR}/tools/test-games-page.sh)
set_tests_properties(cd.page PROPERTIES TIMEOUT 300)
add_test(NAME cd.season COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/cd/season_test.py)
add_test(NAME cd.files COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/cd/check_cd_files.py)
add_test(NAME cd.game COMMAND sh -c "\"$1\" \"$2/tools/make_schedule.py\" --season \"$3/games-season.pvz\" >/dev/null && \"$1\" \"$2/tools/make_games_page.py\" \"$3/games-index.html\" \"$3/games-season.pvz\" && exec node \"$2/tests/cd/shootout_test.js\" \"$3/games-index.html\""
         sh ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
add_test(NAME cd.image COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cd/make_cd_test.sh ${CMAKE_BINARY_DIR}/i686/bin)

# The committed pictures are what the programs expect: sizes, depths, the
# backdrop's palette and the menu items' transparent colour.
add_test(NAME pictures COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_pictures.py)
