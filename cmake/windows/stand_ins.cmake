# What the tests put in the place of outside components and of the CD's other
# programs, and the probes they run. None of it ships.

# The run-time's own check, on the run-time as the shipped programs are.
add_executable(runtime-probe WIN32 tests/e2e/runtime_probe_win.cpp)
ship_program(runtime-probe)

add_executable(flag-probe tests/e2e/flag_probe_win.cpp)
test_program(flag-probe)

# The browser the menu's web item starts: it writes down the address.
add_executable(url-sink WIN32 tests/stand-ins/url_sink_win.cpp)
test_program(url-sink)

# The Flash player's control, and Windows 95/98's password control panel.
add_library(flash-standin SHARED tests/stand-ins/flash_standin_win.cpp tests/stand-ins/flash_standin.def)
set_target_properties(flash-standin PROPERTIES PREFIX "")
target_link_libraries(flash-standin PRIVATE ole32 oleaut32 uuid user32 gdi32 advapi32)
test_program(flash-standin)

add_library(password-cpl SHARED tests/stand-ins/password_cpl_win.cpp tests/stand-ins/password_cpl.def)
set_target_properties(password-cpl PROPERTIES PREFIX "" OUTPUT_NAME "password" SUFFIX ".cpl")
target_link_libraries(password-cpl PRIVATE user32)
test_program(password-cpl)

# Windows 95/98/Me's MoveFileExA, loaded into the unchanged saver by a test.
add_library(movefile-9x SHARED tests/stand-ins/movefile_9x_win.cpp)
set_target_properties(movefile-9x PROPERTIES PREFIX "")
test_program(movefile-9x)

# A count of a program's GDI objects and DCs, loaded into it the same way.
add_library(gdi-count SHARED tests/stand-ins/gdi_count_win.cpp)
set_target_properties(gdi-count PROPERTIES PREFIX "")
target_link_libraries(gdi-count PRIVATE gdi32 user32)
test_program(gdi-count)

# The installers and exec on the test CD: one program under every name.
add_executable(program-standin WIN32 tests/stand-ins/program_standin_win.cpp)
test_program(program-standin)

# Reads the system palette inside a program on a screen of 256 colours.
add_library(palette-probe SHARED tests/stand-ins/palette_probe_win.cpp)
set_target_properties(palette-probe PROPERTIES PREFIX "")
target_link_libraries(palette-probe PRIVATE user32 gdi32)
test_program(palette-probe)
