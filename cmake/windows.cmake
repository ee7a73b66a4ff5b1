# The shipped Windows programs and the Windows-side tests.
#
# VORLAKS_WINDOWS_PART picks what one build tree makes:
#   programs  the shipped programs, stand-ins and benchmarks, with the win32
#             thread-model compiler, small and exception-free
#   tests     the GoogleTest drivers, with the posix one (GoogleTest needs
#             std::mutex); separate processes, so their runtime never ships
#   all       both with one compiler (a Windows toolchain that can)
# VORLAKS_BIN_DIR lets the two parts share one bin folder.
enable_language(RC)
enable_testing()

set(VORLAKS_WINDOWS_PART "all" CACHE STRING "programs, tests or all")
set(VORLAKS_BIN_DIR "${CMAKE_BINARY_DIR}/bin" CACHE PATH "where programs and test drivers go")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${VORLAKS_BIN_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${VORLAKS_BIN_DIR})
if(VORLAKS_WINDOWS_PART STREQUAL "programs" OR VORLAKS_WINDOWS_PART STREQUAL "all")
    set(BUILD_PROGRAMS ON)
endif()
if(VORLAKS_WINDOWS_PART STREQUAL "tests" OR VORLAKS_WINDOWS_PART STREQUAL "all")
    set(BUILD_TESTS ON)
endif()

add_compile_options(${WARNING_FLAGS} -Werror)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
# Static: the programs need no DLL beyond Windows' own.
set(STATIC_LINK -static -static-libgcc -static-libstdc++)

if(VORLAKS_WINDOWS_PART STREQUAL "programs")
    # Small: no exceptions or run-time type information (nothing uses them),
    # each function in its own section so that the linker drops the unused,
    # std::string compiled in (see inline_strings.h), symbols stripped.
    set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
    set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
    add_compile_options(
        -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables
        "$<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions;-fno-rtti;-fno-threadsafe-statics>"
        "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_SOURCE_DIR}/cmake/inline_strings.h>")
    list(APPEND STATIC_LINK -Wl,--gc-sections $<$<CONFIG:Release>:-s>)
    # The CD is for the PCs of its day: nothing newer than the 486's
    # instructions (no cmov, no fcomi), tuned for the Pentium.
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
        add_compile_options(-march=i486 -mtune=pentium)
    endif()
endif()

add_library(vorlaks_core STATIC ${CORE_SOURCES})
target_include_directories(vorlaks_core PUBLIC ${CMAKE_SOURCE_DIR})

add_library(vorlaks_win STATIC
    common/app_folder_win.cpp
    common/file_store_win.cpp
    common/open_document_win.cpp
    common/picture_win.cpp
    common/system_text_win.cpp
    vorsaver/movie/date_services_win.cpp
    vorsaver/movie/monitors_win.cpp
)
target_link_libraries(vorlaks_win PUBLIC vorlaks_core oleaut32 ole32 uuid shell32 user32 gdi32 advapi32)

if(BUILD_PROGRAMS)
# The shipped programs' own small run-time (common/runtime/): their entry
# point, memory, and the few C library routines they use, so that they link
# no C library at all: no msvcrt.dll, which a clean Windows 95 lacks, and no
# start-up or library object that was built for a later CPU.
add_library(vorlaks_runtime OBJECT ${RUNTIME_WINDOWS_SOURCES} ${RUNTIME_PORTABLE_SOURCES})
target_include_directories(vorlaks_runtime PRIVATE ${CMAKE_SOURCE_DIR})
# Its loops must not become calls to the routines they are.
set_source_files_properties(common/runtime/c_library_win.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")

# A program that ships: on the small run-time, with no other library but
# Windows' own import libraries. A build of everything with one compiler
# (the "all" part, on Windows) keeps exceptions and so the usual C library.
function(ship_program target)
    if(VORLAKS_WINDOWS_PART STREQUAL "programs")
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:vorlaks_runtime>)
        target_link_options(${target} PRIVATE -nostdlib ${STATIC_LINK})
    else()
        target_link_options(${target} PRIVATE ${STATIC_LINK})
    endif()
endfunction()

# The forms layer, which both programs' windows stand on.
add_library(vorlaks_forms STATIC
    forms/form_win.cpp
    forms/form_events_win.cpp
    forms/form_paint_win.cpp
    forms/form_modal_win.cpp
    forms/message_loop_win.cpp
    forms/picture_mask_win.cpp
    forms/form_support_win.cpp
)
target_link_libraries(vorlaks_forms PUBLIC vorlaks_win user32 gdi32)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
pack_pictures(PACKED_PICTURES ${CMAKE_BINARY_DIR}/pictures)
add_custom_target(packed_pictures DEPENDS ${PACKED_PICTURES})
set_source_files_properties(resources/vorsaver.rc resources/menu.rc PROPERTIES
    OBJECT_DEPENDS "${PACKED_PICTURES};${CMAKE_SOURCE_DIR}/resources/app.manifest")


add_executable(vorsaver WIN32
    vorsaver/startup/loader_win.cpp
    vorsaver/startup/frm_preview_win.cpp
    vorsaver/dialogs/frm_config_win.cpp
    vorsaver/dialogs/frm_about_win.cpp
    vorsaver/movie/frm_main_win.cpp
    vorsaver/movie/movie_host_win.cpp
    vorsaver/movie/day_board_win.cpp
    vorsaver/movie/board_renderer_win.cpp
    vorsaver/movie/board_text_win.cpp
    vorsaver/movie/dib_surface_win.cpp
    resources/vorsaver.rc
)
set_target_properties(vorsaver PROPERTIES SUFFIX ".scr")
target_include_directories(vorsaver PRIVATE ${CMAKE_BINARY_DIR}/pictures)
target_link_libraries(vorsaver PRIVATE vorlaks_win vorlaks_forms)
ship_program(vorsaver)

# The CD menu's modules: version, system folder, file test, document opener
# and program start, for the menu's windows to call.
add_library(menu_modules STATIC
    menu/module1_win.cpp
    menu/module2_win.cpp
    menu/module3_win.cpp
    menu/module4_win.cpp
    menu/start_program_win.cpp
    common/open_document_win.cpp
)
target_link_libraries(menu_modules PUBLIC vorlaks_core shell32 user32 kernel32)

# --- the CD's start-up menu ----------------------------------------------------
add_executable(menu WIN32
    menu/main_win.cpp
    menu/frm_main_win.cpp
    menu/frm_theme_win.cpp
    menu/start_or_report_win.cpp
    common/app_folder_win.cpp
    resources/menu.rc
)
target_include_directories(menu PRIVATE ${CMAKE_BINARY_DIR}/pictures)
target_link_libraries(menu PRIVATE menu_modules vorlaks_forms)
ship_program(menu)

# The CD's own programs beside the menu: the document opener exec, and the
# notice in the Flash player installer's place (install\macromed\axflash.exe).
add_executable(exec WIN32 cd/exec_win.cpp)
target_link_libraries(exec PRIVATE vorlaks_win shell32 user32)
ship_program(exec)
add_executable(axflash WIN32 cd/flash_notice_win.cpp)
target_link_libraries(axflash PRIVATE shell32 user32)
ship_program(axflash)

# The movie, made by code, beside the saver.
add_custom_command(OUTPUT ${VORLAKS_BIN_DIR}/vorlaks.swf
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_movie.py ${VORLAKS_BIN_DIR}/vorlaks.swf
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_movie.py)
add_custom_target(movie ALL DEPENDS ${VORLAKS_BIN_DIR}/vorlaks.swf)

# --- stand-ins and benchmarks ------------------------------------------------
# The run-time's own check, on the run-time as the shipped programs are.
add_executable(runtime-probe WIN32 tests/e2e/runtime_probe_win.cpp)
ship_program(runtime-probe)

add_executable(url-sink WIN32 tests/stand-ins/url_sink_win.cpp)
target_link_options(url-sink PRIVATE ${STATIC_LINK})

add_executable(data_step_bench bench/data_step_bench.cpp)
target_link_libraries(data_step_bench PRIVATE vorlaks_win)
target_link_options(data_step_bench PRIVATE ${STATIC_LINK})

add_library(flash-standin SHARED tests/stand-ins/flash_standin_win.cpp tests/stand-ins/flash_standin.def)
set_target_properties(flash-standin PROPERTIES PREFIX "")
target_link_libraries(flash-standin PRIVATE ole32 oleaut32 uuid user32 gdi32 advapi32)
target_link_options(flash-standin PRIVATE ${STATIC_LINK})

add_library(password-cpl SHARED tests/stand-ins/password_cpl_win.cpp tests/stand-ins/password_cpl.def)
set_target_properties(password-cpl PROPERTIES PREFIX "" OUTPUT_NAME "password" SUFFIX ".cpl")
target_link_libraries(password-cpl PRIVATE user32)
target_link_options(password-cpl PRIVATE ${STATIC_LINK})

# Windows 95/98/Me's MoveFileExA, loaded into the unchanged saver by a test.
add_library(movefile-9x SHARED tests/stand-ins/movefile_9x_win.cpp)
set_target_properties(movefile-9x PROPERTIES PREFIX "")
target_link_options(movefile-9x PRIVATE ${STATIC_LINK})

add_executable(flag-probe tests/e2e/flag_probe_win.cpp)
target_link_options(flag-probe PRIVATE ${STATIC_LINK})

add_executable(black-window WIN32 bench/black_window_win.cpp)
target_link_options(black-window PRIVATE ${STATIC_LINK})
add_executable(saver_bench bench/saver_bench_win.cpp bench/first_paint_win.cpp)
target_link_libraries(saver_bench PRIVATE vorlaks_core)
target_link_options(saver_bench PRIVATE ${STATIC_LINK})

# The saver left running: memory, objects and motion over minutes.
add_executable(soak bench/soak_win.cpp)
target_link_libraries(soak PRIVATE psapi user32 gdi32)
target_link_options(soak PRIVATE ${STATIC_LINK})

# The installers and exec on the test CD: one program under every name.
add_executable(program-standin WIN32 tests/stand-ins/program_standin_win.cpp)
target_link_options(program-standin PRIVATE ${STATIC_LINK})

add_executable(menu-baseline WIN32 bench/menu_baseline_win.cpp)
target_link_options(menu-baseline PRIVATE ${STATIC_LINK})
add_executable(menu_bench bench/menu_bench_win.cpp bench/first_paint_win.cpp)
target_include_directories(menu_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(menu_bench PRIVATE ${STATIC_LINK})
endif()

# --- tests -----------------------------------------------------------------
if(BUILD_TESTS)
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
add_executable(unit_tests ${UNIT_TEST_SOURCES} vorsaver/movie/date_services_win.cpp common/runtime/numbers.cpp)
target_link_libraries(unit_tests PRIVATE vorlaks_win gtest gtest_main)
target_link_options(unit_tests PRIVATE ${STATIC_LINK})

add_executable(e2e_saver_tests
    tests/e2e/harness_win.cpp
    tests/e2e/startup_test.cpp
    tests/e2e/data_step_test.cpp
    tests/e2e/movie_window_test.cpp
    tests/e2e/saver_input_test.cpp
    tests/e2e/dialogs_test.cpp
    tests/e2e/preview_test.cpp
    tests/e2e/new_day_test.cpp
    tests/e2e/hard_kill_test.cpp
    tests/e2e/stand_in_loader_win.cpp
)
target_link_libraries(e2e_saver_tests PRIVATE vorlaks_win gtest gtest_main)
target_link_options(e2e_saver_tests PRIVATE ${STATIC_LINK})

add_executable(e2e_menu_tests
    tests/e2e/harness_win.cpp
    tests/e2e/menu_harness_win.cpp
    tests/e2e/menu_window_test.cpp
    tests/e2e/menu_hover_test.cpp
    tests/e2e/menu_click_test.cpp
    tests/e2e/menu_theme_test.cpp
    tests/e2e/cd_programs_test.cpp
    tests/e2e/cd_drive_test.cpp
)
target_link_libraries(e2e_menu_tests PRIVATE vorlaks_win gtest gtest_main version)
target_link_options(e2e_menu_tests PRIVATE ${STATIC_LINK})
endif()

include(${CMAKE_SOURCE_DIR}/cmake/setup.cmake)
