# The CD's setup programs (setup/): the screen saver's installer and the
# uninstaller it leaves behind, one program. The bare program is built here;
# tools/make-installer.sh appends the files it carries (tools/setup_payload.py),
# so that the CD's build can lay in its season's schedule without a compiler.
# Their portable part is in the core (cmake/sources.cmake).
if(BUILD_PROGRAMS)
set_source_files_properties(resources/setup.rc PROPERTIES
    OBJECT_DEPENDS "${PACKED_PICTURES};${CMAKE_SOURCE_DIR}/resources/app.manifest;${CMAKE_SOURCE_DIR}/resources/forms/setup_frmWizard.frm")
add_executable(saver-setup WIN32
    setup/main_win.cpp
    setup/saver_setup_win.cpp
    setup/theme_setup_win.cpp
    setup/placement_win.cpp
    setup/carried_files_win.cpp
    setup/system_win.cpp
    setup/wizard_win.cpp
    common/app_folder_win.cpp
    resources/setup.rc
)
target_include_directories(saver-setup PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/pictures)
target_link_libraries(saver-setup PRIVATE vorlaks_forms shell32 ole32 advapi32 user32 kernel32)
ship_program(saver-setup)

# The CD's install\instscr.exe: the program carrying the saver, its movie,
# the season's schedule and the sound setting.
add_custom_command(OUTPUT ${VORLAKS_BIN_DIR}/instscr.exe
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make-installer.sh ${CMAKE_BINARY_DIR}/installer ${VORLAKS_BIN_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/installer/instscr.exe ${VORLAKS_BIN_DIR}/instscr.exe
    DEPENDS saver-setup $<TARGET_FILE:saver-setup> $<TARGET_FILE:vorsaver> ${VORLAKS_BIN_DIR}/vorlaks.swf
            ${CMAKE_SOURCE_DIR}/tools/make-installer.sh ${CMAKE_SOURCE_DIR}/tools/setup_payload.py
            ${CMAKE_SOURCE_DIR}/tools/make_schedule.py)
add_custom_target(saver_installer ALL DEPENDS ${VORLAKS_BIN_DIR}/instscr.exe)
endif()

# The test driver that goes through the setup programs' pages by keyboard.
if(BUILD_TESTS)
add_executable(setup-driver tests/e2e/setup_driver_win.cpp)
target_link_libraries(setup-driver PRIVATE user32)
target_link_options(setup-driver PRIVATE ${STATIC_LINK})
endif()

# The uninstaller on Windows 95/98/Me's MoveFileExA, with the saver's
# end-to-end tests (their harness and stand-in loader).
if(BUILD_TESTS)
target_sources(e2e_saver_tests PRIVATE tests/e2e/setup_9x_test.cpp)
endif()

# The CD's install\insttm98.exe and install\insttmNT.exe: the same program
# carrying the Desktop Theme and its wallpapers, or the wallpapers alone.
if(BUILD_PROGRAMS)
file(GLOB THEME_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/wallpaper/*)
add_custom_command(OUTPUT ${VORLAKS_BIN_DIR}/insttm98.exe ${VORLAKS_BIN_DIR}/insttmNT.exe
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make-theme-installers.sh ${VORLAKS_BIN_DIR} ${VORLAKS_BIN_DIR}
    DEPENDS saver-setup $<TARGET_FILE:saver-setup> ${THEME_FILES}
            ${CMAKE_SOURCE_DIR}/tools/make-theme-installers.sh ${CMAKE_SOURCE_DIR}/tools/setup_payload.py)
add_custom_target(theme_installers ALL DEPENDS ${VORLAKS_BIN_DIR}/insttm98.exe ${VORLAKS_BIN_DIR}/insttmNT.exe)
endif()
