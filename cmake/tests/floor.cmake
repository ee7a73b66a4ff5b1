# The floor: the shipped programs import only what a clean Windows 95 and
# NT 4 have (tools/api_floor.tsv), and hold no instruction that a 486 lacks;
# the 64-bit build, which does not ship, imports only Windows' own DLLs. The
# check itself must refuse what would not start there: the test drivers (the
# posix runtime's imports, built for the Pentium Pro) and a program on the
# C library's DLL.

set(SHIPPED vorsaver.scr menu.exe exec.exe axflash.exe)
list(TRANSFORM SHIPPED PREPEND ${CMAKE_BINARY_DIR}/i686/bin/ OUTPUT_VARIABLE shipped_i686)
list(TRANSFORM SHIPPED PREPEND ${CMAKE_BINARY_DIR}/x86_64/bin/ OUTPUT_VARIABLE shipped_x86_64)
add_test(NAME floor.i686 COMMAND ${CHECK_FLOOR} ${OBJDUMP_I686} ${API_FLOOR} --cpu
         ${shipped_i686} ${CMAKE_BINARY_DIR}/i686/bin/instscr.exe
         ${CMAKE_BINARY_DIR}/i686/bin/insttm98.exe ${CMAKE_BINARY_DIR}/i686/bin/insttmNT.exe)
add_test(NAME floor.x86_64 COMMAND ${CHECK_FLOOR} x86_64-w64-mingw32-objdump ${API_FLOOR} --dlls-only
         ${shipped_x86_64})
foreach(refusal IN ITEMS
        "Unloadable|unit_tests.exe|GetTickCount64: missing on Windows 95 and NT 4"
        "PentiumPro|unit_tests.exe|instructions that a 486 lacks.*cmov"
        "CLibraryDll|black-window.exe|msvcrt.dll is not part of a clean Windows 95")
    string(REPLACE "|" ";" refusal "${refusal}")
    list(GET refusal 0 name)
    list(GET refusal 1 program)
    list(GET refusal 2 expected)
    add_test(NAME floor.refuses${name} COMMAND ${CHECK_FLOOR} ${OBJDUMP_I686} ${API_FLOOR} --cpu
             ${CMAKE_BINARY_DIR}/i686/bin/${program})
    set_tests_properties(floor.refuses${name} PROPERTIES PASS_REGULAR_EXPRESSION "FAULT [^\n]*${expected}")
endforeach()

# Every program on the CD image itself, and those its installers carry.
add_test(NAME floor.cd COMMAND ${CHECK_FLOOR} ${OBJDUMP_I686} ${API_FLOOR} --cpu
         ${CMAKE_BINARY_DIR}/vorlaks-theme-pack.iso)
set_tests_properties(floor.cd PROPERTIES FIXTURES_REQUIRED cd)
