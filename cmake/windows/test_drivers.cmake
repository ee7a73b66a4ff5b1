# The GoogleTest drivers: the unit tests and the end-to-end tests, run under Wine.

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w)
endforeach()

# The run-time's portable routines, not its tree steps: the C++ library
# linked here has its own.
add_executable(unit_tests ${UNIT_TEST_SOURCES} vorsaver/dates/date_services_win.cpp common/runtime/numbers.cpp
                          common/runtime/bytes.cpp)
target_link_libraries(unit_tests PRIVATE vorlaks_win gtest gtest_main)
test_program(unit_tests)

add_executable(e2e_saver_tests ${E2E_SAVER_TEST_SOURCES})
target_link_libraries(e2e_saver_tests PRIVATE vorlaks_win gtest gtest_main)
test_program(e2e_saver_tests)

# Goes through the setup programs' pages by keyboard.
add_executable(setup-driver tests/e2e/setup_driver_win.cpp)
target_link_libraries(setup-driver PRIVATE user32)
test_program(setup-driver)

# Runs a program with a stand-in in it, for the shell tests.
add_executable(with-stand-in tests/e2e/with_stand_in_win.cpp tests/e2e/load_before_entry_win.cpp)
target_link_libraries(with-stand-in PRIVATE vorlaks_core)
test_program(with-stand-in)

add_executable(e2e_menu_tests ${E2E_MENU_TEST_SOURCES})
target_link_libraries(e2e_menu_tests PRIVATE vorlaks_win gtest gtest_main version)
test_program(e2e_menu_tests)

# The programs on a screen of 256 colours, and the forms layer's pictures there.
if(NOT TARGET vorlaks_forms)
    add_library(vorlaks_forms STATIC ${FORMS_SOURCES})
    target_link_libraries(vorlaks_forms PUBLIC vorlaks_win user32 gdi32)
endif()
add_executable(e2e_palette_tests tests/e2e/palette_test.cpp tests/e2e/harness_win.cpp tests/e2e/stand_in_loader_win.cpp
    tests/e2e/load_before_entry_win.cpp
    vorsaver/board/board_renderer_win.cpp vorsaver/board/board_text_win.cpp vorsaver/board/dib_surface_win.cpp)
target_link_libraries(e2e_palette_tests PRIVATE vorlaks_forms gtest gtest_main)
test_program(e2e_palette_tests)
