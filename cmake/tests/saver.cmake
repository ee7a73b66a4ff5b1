# The screen saver under Wine.

add_wine_environment()
add_wine_test(wine.unit GTEST COMMAND ${WIN_BIN}/unit_tests.exe)
# The shipped programs' own run-time in a real process: static constructors,
# exit routines, the arguments, 64-bit division, stack probes, the tree.
add_wine_test(wine.runtime COMMAND ${WIN_BIN}/runtime-probe.exe one "two three")

set(SAVER_TESTS ${WIN_BIN}/e2e_saver_tests.exe)
# SetupOn9x: the uninstaller on Windows 95/98/Me's MoveFileExA.
foreach(suite IN ITEMS Startup DataStep MovieWindow DayBoard Monitors MonitorList SaverInput Settings Preview SetupOn9x)
    add_wine_test(e2e.${suite} GTEST COMMAND ${SAVER_TESTS} --gtest_filter=${suite}.*)
endforeach()
# The same month-name test in a German user locale, which must give German.
add_wine_test(e2e.DataStep.German SET LC_ALL=de_DE.UTF-8 VORLAKS_EXPECT_LANGUAGE=German GTEST COMMAND ${SAVER_TESTS} --gtest_filter=DataStep.MonthName*)

# The saver all night: the system's notices of a change; starts, input and
# ends over and over; kills while it writes its files, also on Windows
# 95/98/Me's file calls.
add_wine_test(e2e.NewDay GTEST COMMAND ${SAVER_TESTS} --gtest_filter=NewDay.*-NewDay.AtMidnight*)
add_wine_test(e2e.Night TIMEOUT 600 GTEST COMMAND ${SAVER_TESTS} --gtest_filter=Night.*)
# Midnight itself, in an environment of its own whose time zone puts local
# time fifteen seconds before midnight as the test starts.
add_test(NAME e2e.Midnight
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/before-midnight.sh ${CMAKE_BINARY_DIR} 15
            ${SAVER_TESTS} --gtest_filter=NewDay.AtMidnight*)
set_tests_properties(e2e.Midnight PROPERTIES RESOURCE_LOCK display TIMEOUT 120
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
# The saver's sound as a listener hears it: a sound server of the test's own
# records what Wine plays with each sound setting.
add_test(NAME e2e.Sound COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/sound-test.sh ${CMAKE_BINARY_DIR} ${WIN_BIN})
set_tests_properties(e2e.Sound PROPERTIES RESOURCE_LOCK display TIMEOUT 120
    PASS_REGULAR_EXPRESSION "PASSED: the team's sound"
    FAIL_REGULAR_EXPRESSION "FAIL")
# Two minutes of the saver left running (bench/soak.sh; ten by default), in
# an environment of its own: memory and objects flat, the board moving, the
# saver under 1 % of a core. It mostly waits, on a display of its own, so it
# runs beside the others.
add_test(NAME bench.soak COMMAND bash ${CMAKE_SOURCE_DIR}/bench/soak.sh ${CMAKE_BINARY_DIR} 2 ${WIN_BIN})
set_tests_properties(bench.soak PROPERTIES RESOURCE_LOCK soak TIMEOUT 300)

# The password change hands its arguments to the system's mpr, whose Wine
# stub prints them when asked to.
add_wine_test(e2e.PasswordChange TIMEOUT 60 SET WINEDEBUG=fixme+mpr COMMAND ${WIN_BIN}/vorsaver.scr /a 1234)
set_tests_properties(e2e.PasswordChange PROPERTIES
    PASS_REGULAR_EXPRESSION "PwdChangePasswordA \"SCRSAVE\" 0*4D2 0 0+([^0-9A-Fa-f]|$)")

# The centring again on a 1024 x 768 screen: a second environment with its own
# display and wineserver, its prefix a copy of the same base as the first's.
# The tests fail unless Windows reports that size, and ctest unless some ran.
add_wine_environment(NAME 1024 VORLAKS_SCREEN=1024x768x24)
add_wine_test(e2e.MovieWindow.1024 IN 1024 SET VORLAKS_EXPECT_SCREEN=1024x768 GTEST
    COMMAND ${SAVER_TESTS} --gtest_filter=MovieWindow.*-MovieWindow.MovieTakingTheFocus*)
add_wine_test(e2e.DayBoard.1024 IN 1024 SET VORLAKS_EXPECT_SCREEN=1024x768 GTEST
    COMMAND ${SAVER_TESTS} --gtest_filter=DayBoard.*)

# The saver with two monitors: a third environment whose display has two
# screens (Xvfb puts both at 0,0, so this proves the multi-monitor calls and
# the covering of the virtual screen, not a placement beside the primary;
# the unit tests cover that).
add_wine_environment(NAME 2mon VORLAKS_SECOND_SCREEN=640x480x24)
add_wine_test(e2e.Monitors.2mon IN 2mon SET VORLAKS_EXPECT_MONITORS=2 GTEST
    COMMAND ${SAVER_TESTS} --gtest_filter=Monitors.*:DayBoard.*)

# The movie played by a real Flash player implementation (Ruffle in headless
# Chromium), checked by what it draws.
add_test(NAME movie.ruffle COMMAND bash ${CMAKE_SOURCE_DIR}/tools/test-movie.sh)
set_tests_properties(movie.ruffle PROPERTIES TIMEOUT 300 RESOURCE_LOCK browser)
