# The CD: its menu under Wine, its own programs, its files, its game page, its
# image and, where this machine's Wine runs 32-bit programs, its installers.

# The CD menu, run from a CD folder of each test's own with stand-ins for the
# installers and exec.
set(MENU_TESTS ${WIN_BIN}/e2e_menu_tests.exe)
# The CD's own programs: exec and the Flash player notice.
add_wine_test(e2e.CdPrograms GTEST COMMAND ${MENU_TESTS} --gtest_filter=CdPrograms.*)
foreach(suite IN ITEMS Window Hover Clicks Theme)
    add_wine_test(e2e.menu.${suite} GTEST COMMAND ${MENU_TESTS} --gtest_filter=Menu${suite}.*-*.FromADrivesRoot*)
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

# The CD laid out and its image written (no Wine needed).
add_test(NAME cd.layout COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make-cd.sh --bin ${CMAKE_BINARY_DIR}/i686/bin)
set_tests_properties(cd.layout PROPERTIES FIXTURES_SETUP cd)

# The installers, built for both targets like the other programs: the build
# this machine's Wine runs. The saver's in the default environment, the
# theme's in environments of the test's own.
add_test(NAME e2e.installer
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cd/installer_test.sh ${CMAKE_BINARY_DIR} ${WIN_BIN}/instscr.exe ${WIN_BIN})
set_tests_properties(e2e.installer PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 400)
# Its GDI objects over 20 installs and uninstalls, their pages shown.
add_test(NAME e2e.installer.gdi
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cd/installer_test.sh ${CMAKE_BINARY_DIR} ${WIN_BIN}/instscr.exe ${WIN_BIN}
            gdi 20)
set_tests_properties(e2e.installer.gdi PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 400)
add_test(NAME e2e.themes COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cd/theme_test.sh ${CMAKE_BINARY_DIR}
         ${WIN_BIN}/insttm98.exe ${WIN_BIN}/insttmNT.exe)
set_tests_properties(e2e.themes PROPERTIES RESOURCE_LOCK display TIMEOUT 300)

# The CD's programs are 32-bit: the whole CD's end-to-end tests run where
# this machine's Wine runs 32-bit programs, and say so where it cannot.
if(RUN_ARCH STREQUAL "i686")
    # The whole CD in a CD-ROM drive: build/cd shows as E: in an environment
    # of its own, and the menu runs from there.
    add_wine_environment(NAME cd REQUIRES cd VORLAKS_CD_FOLDER=${CMAKE_BINARY_DIR}/cd)
    add_wine_test(e2e.CdDrive IN cd SET VORLAKS_CD_DRIVE=E: GTEST COMMAND ${MENU_TESTS} --gtest_filter=CdDrive.*)
else()
    add_test(NAME e2e.cd COMMAND sh -c "echo 'The CD carries 32-bit programs, which this machine cannot run (its Wine runs 64-bit programs only): the test of the whole CD in its drive is skipped.'; exit 77")
    set_tests_properties(e2e.cd PROPERTIES SKIP_RETURN_CODE 77)
endif()

# The CD's own files as the computers of the day read them, its season, its
# game page's game played in node and in a real browser (headless Chromium,
# at three screen sizes, the game played by clicking), and its image with
# every file in place.
add_test(NAME cd.page COMMAND bash ${CMAKE_SOURCE_DIR}/tools/test-games-page.sh)
set_tests_properties(cd.page PROPERTIES TIMEOUT 300 RESOURCE_LOCK browser)
add_test(NAME cd.season COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/cd/season_test.py)
add_test(NAME cd.files COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/cd/check_cd_files.py)
add_test(NAME cd.game COMMAND sh -c "\"$1\" \"$2/tools/make_schedule.py\" --season \"$3/games-season.pvz\" >/dev/null && \"$1\" \"$2/tools/make_games_page.py\" \"$3/games-index.html\" \"$3/games-season.pvz\" && exec node \"$2/tests/cd/shootout_test.js\" \"$3/games-index.html\""
         sh ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
add_test(NAME cd.image COMMAND bash ${CMAKE_SOURCE_DIR}/tests/cd/make_cd_test.sh ${CMAKE_BINARY_DIR}/i686/bin)

# The committed pictures are what the programs expect: sizes, depths, the
# backdrop's palette and the menu items' transparent colour.
add_test(NAME pictures COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_pictures.py)
# The day board's layout table: the movie and the pictures follow a change in
# it, and the committed pictures are what it and the drawings give now. Run
# by Debian's python3, which has Pillow for the picture generator.
add_test(NAME pictures.layout COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/layout/board_layout_test.py)
set_tests_properties(pictures.layout PROPERTIES TIMEOUT 300)
# The committed team sound is what its script writes, in a form Windows 95
# plays.
add_test(NAME sound COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_sound.py)
