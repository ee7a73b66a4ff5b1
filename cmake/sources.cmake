# The portable core: no <windows.h>, builds everywhere.
set(CORE_SOURCES
    common/app_text.cpp
    common/whole_file.cpp
    common/packed_picture.cpp
    common/text_stream.cpp
    vorsaver/startup/mode_table.cpp
    vorsaver/movie/movie_variables.cpp
    vorsaver/movie/movie_layout.cpp
    vorsaver/movie/day_watch.cpp
    vorsaver/movie/day_board.cpp
    vorsaver/movie/board_raster.cpp
    vorsaver/movie/input_counter.cpp
    vorsaver/startup/registry_text.cpp
    vorsaver/dialogs/sound_setting.cpp
    vorsaver/dialogs/about_text.cpp
    forms/form_table.cpp
    menu/windows_version.cpp
    menu/menu_commands.cpp
    menu/hover_rules.cpp
    menu/theme_procedure.cpp
    cd/document_path.cpp
    setup/payload.cpp
    setup/saver_rules.cpp
    setup/setup_args.cpp
    setup/theme_rules.cpp
)

# The shipped programs' own run-time: its portable routines, which the unit
# tests also run, and the Windows side that only the shipped programs link.
set(RUNTIME_PORTABLE_SOURCES
    common/runtime/numbers.cpp
    common/runtime/tree.cpp
)
set(RUNTIME_WINDOWS_SOURCES
    common/runtime/entry_win.cpp
    common/runtime/memory_win.cpp
    common/runtime/c_library_win.cpp
)

set(UNIT_TEST_SOURCES
    tests/unit/app_text_test.cpp
    tests/unit/whole_file_test.cpp
    tests/unit/packed_picture_test.cpp
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
