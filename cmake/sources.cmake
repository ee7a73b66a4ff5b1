# Every source file, by what it builds. Where a file goes is decided here; the
# build files only say what is made of which list.

# --- the portable side: no <windows.h>, builds everywhere ------------------------
set(CORE_SOURCES
    common/plain_text.cpp
    common/command_line.cpp
    common/paths.cpp
    common/twips.cpp
    common/whole_file.cpp
    common/packed_picture.cpp
    common/picture_mask.cpp
    common/palette.cpp
    common/text_stream.cpp
    common/windows_version.cpp
    vorsaver/startup/mode_table.cpp
    vorsaver/dates/day_serial.cpp
    vorsaver/movie/movie_variables.cpp
    vorsaver/movie/movie_layout.cpp
    vorsaver/movie/day_watch.cpp
    vorsaver/board/day_board.cpp
    vorsaver/board/board_raster.cpp
    vorsaver/board/run_rows.cpp
    vorsaver/board/board_palette.cpp
    vorsaver/movie/input_counter.cpp
    vorsaver/services/registry_text.cpp
    vorsaver/dialogs/sound_setting.cpp
    vorsaver/dialogs/about_text.cpp
    forms/form_table.cpp
    menu/menu_commands.cpp
    menu/hover_rules.cpp
    menu/theme_procedure.cpp
    cd/document_path.cpp
    setup/payload.cpp
    setup/placement.cpp
    setup/saver_rules.cpp
    setup/setup_args.cpp
    setup/theme_rules.cpp
)
# The date services for a native build, where Windows' own stand behind the
# shipped programs' (date_services_win.cpp).
set(NATIVE_CORE_SOURCES ${CORE_SOURCES} vorsaver/dates/date_services_portable.cpp)

# The shipped programs' own run-time: its portable routines, which the unit
# tests also run, and the Windows side that only the shipped programs link.
set(RUNTIME_PORTABLE_SOURCES
    common/runtime/bytes.cpp
    common/runtime/numbers.cpp
    common/runtime/tree.cpp
)
set(RUNTIME_WINDOWS_SOURCES
    common/runtime/entry_win.cpp
    common/runtime/memory_win.cpp
    common/runtime/c_library_win.cpp
)

set(UNIT_TEST_SOURCES
    tests/unit/plain_text_test.cpp
    tests/unit/command_line_test.cpp
    tests/unit/paths_test.cpp
    tests/unit/twips_test.cpp
    tests/unit/whole_file_test.cpp
    tests/unit/placement_test.cpp
    tests/unit/packed_picture_test.cpp
    tests/unit/picture_mask_test.cpp
    tests/unit/palette_test.cpp
    tests/unit/mode_table_test.cpp
    tests/unit/text_stream_test.cpp
    tests/unit/movie_variables_test.cpp
    tests/unit/movie_layout_test.cpp
    tests/unit/day_watch_test.cpp
    tests/unit/day_board_test.cpp
    tests/unit/board_raster_test.cpp
    tests/unit/input_counter_test.cpp
    tests/unit/registry_text_test.cpp
    tests/unit/form_table_test.cpp
    tests/unit/sound_setting_test.cpp
    tests/unit/about_text_test.cpp
    tests/unit/windows_version_test.cpp
    tests/unit/theme_procedure_test.cpp
    tests/unit/menu_commands_test.cpp
    tests/unit/hover_rules_test.cpp
    tests/unit/document_path_test.cpp
    tests/unit/runtime_test.cpp
    tests/unit/setup_test.cpp
)

# --- the Windows side ------------------------------------------------------------
# What every Windows program may stand on: files, pictures, documents, dates
# and monitors.
set(WINDOWS_LIBRARY_SOURCES
    common/app_folder_win.cpp
    common/file_exists_win.cpp
    common/file_store_win.cpp
    common/open_document_win.cpp
    common/picture_win.cpp
    common/palette_win.cpp
    common/system_text_win.cpp
    common/windows_version_win.cpp
    vorsaver/dates/date_services_win.cpp
    vorsaver/movie/monitors_win.cpp
)
# The forms layer, which the programs' windows stand on.
set(FORMS_SOURCES
    forms/form_win.cpp
    forms/form_events_win.cpp
    forms/form_paint_win.cpp
    forms/form_modal_win.cpp
    forms/message_loop_win.cpp
    forms/picture_mask_win.cpp
    forms/form_support_win.cpp
)
set(SAVER_SOURCES
    vorsaver/startup/loader_win.cpp
    vorsaver/services/loader_services_win.cpp
    vorsaver/startup/frm_preview_win.cpp
    vorsaver/dialogs/frm_config_win.cpp
    vorsaver/dialogs/frm_about_win.cpp
    vorsaver/movie/frm_main_win.cpp
    vorsaver/movie/movie_host_win.cpp
    vorsaver/movie/automation_win.cpp
    vorsaver/board/day_board_win.cpp
    vorsaver/board/board_renderer_win.cpp
    vorsaver/board/board_text_win.cpp
    vorsaver/board/dib_surface_win.cpp
    vorsaver/board/team_sound_win.cpp
    resources/vorsaver.rc
)
# The CD menu's modules (version, system folder, file test, document opener
# and program start) and its windows.
set(MENU_MODULE_SOURCES
    menu/module1_win.cpp
    menu/module2_win.cpp
    menu/module3_win.cpp
    menu/module4_win.cpp
    menu/start_program_win.cpp
)
set(MENU_SOURCES
    menu/main_win.cpp
    menu/frm_main_win.cpp
    menu/frm_theme_win.cpp
    menu/start_or_report_win.cpp
    resources/menu.rc
)
# The CD's setup programs: one program for the three installers.
set(SETUP_SOURCES
    setup/main_win.cpp
    setup/saver_setup_win.cpp
    setup/theme_setup_win.cpp
    setup/placement_win.cpp
    setup/carried_files_win.cpp
    setup/system_win.cpp
    setup/wizard_win.cpp
    resources/setup.rc
)
set(E2E_SAVER_TEST_SOURCES
    tests/e2e/harness_win.cpp
    tests/e2e/startup_test.cpp
    tests/e2e/data_step_test.cpp
    tests/e2e/movie_window_test.cpp
    tests/e2e/saver_input_test.cpp
    tests/e2e/dialogs_test.cpp
    tests/e2e/preview_test.cpp
    tests/e2e/new_day_test.cpp
    tests/e2e/hard_kill_test.cpp
    tests/e2e/sound_test.cpp
    tests/e2e/stand_in_loader_win.cpp
    tests/e2e/load_before_entry_win.cpp
    tests/e2e/setup_9x_test.cpp
)
set(E2E_MENU_TEST_SOURCES
    tests/e2e/harness_win.cpp
    tests/e2e/menu_harness_win.cpp
    tests/e2e/menu_window_test.cpp
    tests/e2e/menu_hover_test.cpp
    tests/e2e/menu_click_test.cpp
    tests/e2e/menu_theme_test.cpp
    tests/e2e/cd_programs_test.cpp
    tests/e2e/cd_drive_test.cpp
    tests/e2e/stand_in_loader_win.cpp
    tests/e2e/load_before_entry_win.cpp
)

set(WARNING_FLAGS -Wall -Wextra)

# Packs every picture in resources/ into FOLDER (tools/pack_picture.py), for
# the programs to carry; sets OUT to the packed files.
function(pack_pictures OUT FOLDER)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    file(GLOB_RECURSE pictures RELATIVE ${CMAKE_SOURCE_DIR}/resources CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/resources/*.bmp)
    # The wallpapers go to the CD in the theme installers, not in a program.
    list(FILTER pictures EXCLUDE REGEX "^wallpaper/")
    set(packed_files)
    foreach(picture IN LISTS pictures)
        string(REGEX REPLACE "\\.bmp$" ".vpk" packed ${FOLDER}/${picture})
        get_filename_component(packed_folder ${packed} DIRECTORY)
        add_custom_command(OUTPUT ${packed}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${packed_folder}
            COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/pack_picture.py
                    ${CMAKE_SOURCE_DIR}/resources/${picture} ${packed}
            DEPENDS ${CMAKE_SOURCE_DIR}/resources/${picture} ${CMAKE_SOURCE_DIR}/tools/pack_picture.py)
        list(APPEND packed_files ${packed})
    endforeach()
    set(${OUT} ${packed_files} PARENT_SCOPE)
endfunction()
