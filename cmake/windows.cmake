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

add_library(vorlaks_win STATIC ${WINDOWS_LIBRARY_SOURCES})
target_link_libraries(vorlaks_win PUBLIC vorlaks_core uuid shell32 user32 gdi32 advapi32)

# A program that ships: on the small run-time (programs.cmake), with no other
# library but Windows' own import libraries. A build of everything with one
# compiler (the "all" part, on Windows) keeps exceptions and so the usual C
# library.
function(ship_program target)
    if(VORLAKS_WINDOWS_PART STREQUAL "programs")
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:vorlaks_runtime>)
        target_link_options(${target} PRIVATE -nostdlib ${STATIC_LINK})
    else()
        target_link_options(${target} PRIVATE ${STATIC_LINK})
    endif()
endfunction()

# A program the tests run or measure: on the compiler's own run-time, static.
function(test_program target)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_options(${target} PRIVATE ${STATIC_LINK})
endfunction()

# What one build tree makes, one file each.
if(BUILD_PROGRAMS)
    include(cmake/windows/programs.cmake)
    include(cmake/windows/setup.cmake)
    include(cmake/windows/stand_ins.cmake)
    include(cmake/windows/benchmarks.cmake)
endif()
if(BUILD_TESTS)
    include(cmake/windows/test_drivers.cmake)
endif()
