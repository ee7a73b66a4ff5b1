# The day board's layout is one table that the saver, the movie's generator
# and the pictures' generator all read. For the saver it is written out as
# C++ (board_layout.inc, included by board_raster.h) when cmake runs, and
# cmake runs again by itself when the table changes.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(BOARD_LAYOUT ${CMAKE_SOURCE_DIR}/vorsaver/board/board_layout.tsv ${CMAKE_SOURCE_DIR}/tools/board_layout.py)
execute_process(
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/board_layout.py
            ${CMAKE_BINARY_DIR}/generated/vorsaver/board/board_layout.inc
    RESULT_VARIABLE board_layout_rc)
if(NOT board_layout_rc EQUAL 0)
    message(FATAL_ERROR "tools/board_layout.py could not write the board's layout")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BOARD_LAYOUT})
include_directories(${CMAKE_BINARY_DIR}/generated)
