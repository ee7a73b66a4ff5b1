# The CD's setup programs (setup/): one program, saver-setup, that installs
# what it carries and leaves itself behind as the uninstaller. The bare
# program is built here; tools/make-installer.sh and
# tools/make-theme-installers.sh append the files each installer carries
# (tools/setup_payload.py), so that the CD's build can lay in its season's
# schedule without a compiler.
set_source_files_properties(resources/setup.rc PROPERTIES
    OBJECT_DEPENDS "${PACKED_PICTURES};${CMAKE_SOURCE_DIR}/resources/app.manifest;${CMAKE_SOURCE_DIR}/resources/forms/setup_frmWizard.frm")
add_executable(saver-setup WIN32 ${SETUP_SOURCES})
target_include_directories(saver-setup PRIVATE ${CMAKE_BINARY_DIR}/pictures)
target_link_libraries(saver-setup PRIVATE vorlaks_forms shell32 ole32 advapi32 user32 kernel32)
ship_program(saver-setup)

# install\instscr.exe: the saver, its movie, the season's schedule and the
# sound setting.
add_custom_command(OUTPUT ${VORLAKS_BIN_DIR}/instscr.exe
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make-installer.sh ${CMAKE_BINARY_DIR}/installer ${VORLAKS_BIN_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/installer/instscr.exe ${VORLAKS_BIN_DIR}/instscr.exe
    DEPENDS saver-setup $<TARGET_FILE:saver-setup> $<TARGET_FILE:vorsaver> ${VORLAKS_BIN_DIR}/vorlaks.swf
            ${CMAKE_SOURCE_DIR}/tools/make-installer.sh ${CMAKE_SOURCE_DIR}/tools/setup_payload.py
            ${CMAKE_SOURCE_DIR}/tools/make_schedule.py)
add_custom_target(saver_installer ALL DEPENDS ${VORLAKS_BIN_DIR}/instscr.exe)

# install\insttm98.exe and install\insttmNT.exe: the Desktop Theme and its
# wallpapers, or the wallpapers alone.
file(GLOB THEME_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/wallpaper/*)
add_custom_command(OUTPUT ${VORLAKS_BIN_DIR}/insttm98.exe ${VORLAKS_BIN_DIR}/insttmNT.exe
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/make-theme-installers.sh ${VORLAKS_BIN_DIR} ${VORLAKS_BIN_DIR}
    DEPENDS saver-setup $<TARGET_FILE:saver-setup> ${THEME_FILES}
            ${CMAKE_SOURCE_DIR}/tools/make-theme-installers.sh ${CMAKE_SOURCE_DIR}/tools/setup_payload.py)
add_custom_target(theme_installers ALL DEPENDS ${VORLAKS_BIN_DIR}/insttm98.exe ${VORLAKS_BIN_DIR}/insttmNT.exe)
