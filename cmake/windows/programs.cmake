# The programs that ship on the CD, on their own small run-time.

# The shipped programs' own small run-time (common/runtime/): their entry
# point, memory, and the few C library routines they use, so that they link
# no C library at all: no msvcrt.dll, which a clean Windows 95 lacks, and no
# start-up or library object that was built for a later CPU.
add_library(vorlaks_runtime OBJECT ${RUNTIME_WINDOWS_SOURCES} ${RUNTIME_PORTABLE_SOURCES})
target_include_directories(vorlaks_runtime PRIVATE ${CMAKE_SOURCE_DIR})
# Its loops must not become calls to the routines they are.
set_source_files_properties(common/runtime/c_library_win.cpp common/runtime/bytes.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")

add_library(vorlaks_forms STATIC ${FORMS_SOURCES})
target_link_libraries(vorlaks_forms PUBLIC vorlaks_win user32 gdi32)

# The pictures, packed as the programs carry them in their resources.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
pack_pictures(PACKED_PICTURES ${CMAKE_BINARY_DIR}/pictures)
add_custom_target(packed_pictures DEPENDS ${PACKED_PICTURES})
set_source_files_properties(resources/vorsaver.rc resources/menu.rc PROPERTIES
    OBJECT_DEPENDS "${PACKED_PICTURES};${CMAKE_SOURCE_DIR}/resources/app.manifest;${CMAKE_SOURCE_DIR}/resources/vorlaks.wav")

# --- the screen saver, and the movie it plays beside it ---------------------------
add_executable(vorsaver WIN32 ${SAVER_SOURCES})
set_target_properties(vorsaver PROPERTIES SUFFIX ".scr")
target_include_directories(vorsaver PRIVATE ${CMAKE_BINARY_DIR}/pictures)
target_link_libraries(vorsaver PRIVATE vorlaks_win vorlaks_forms winmm)
ship_program(vorsaver)

add_custom_command(OUTPUT ${VORLAKS_BIN_DIR}/vorlaks.swf
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_movie.py ${VORLAKS_BIN_DIR}/vorlaks.swf
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_movie.py ${CMAKE_SOURCE_DIR}/tools/make_sound.py
            ${CMAKE_SOURCE_DIR}/tools/team_colours.py ${BOARD_LAYOUT})
add_custom_target(movie ALL DEPENDS ${VORLAKS_BIN_DIR}/vorlaks.swf)

# --- the CD's start-up menu --------------------------------------------------------
add_library(menu_modules STATIC ${MENU_MODULE_SOURCES})
target_link_libraries(menu_modules PUBLIC vorlaks_win shell32 user32 kernel32)
add_executable(menu WIN32 ${MENU_SOURCES})
target_include_directories(menu PRIVATE ${CMAKE_BINARY_DIR}/pictures)
target_link_libraries(menu PRIVATE menu_modules vorlaks_forms)
ship_program(menu)

# --- the CD's own programs beside the menu -----------------------------------------
# The document opener exec, and the notice in the Flash player installer's
# place (install\macromed\axflash.exe).
add_executable(exec WIN32 cd/exec_win.cpp)
target_link_libraries(exec PRIVATE vorlaks_win shell32 user32)
ship_program(exec)
add_executable(axflash WIN32 cd/flash_notice_win.cpp)
target_link_libraries(axflash PRIVATE shell32 user32)
ship_program(axflash)
