# Tables that the programs, the generators and the tests all read, written
# out as C++ for the programs when cmake runs; cmake runs again by itself
# when a table changes. The day board's layout (board_layout.inc, included
# by board_raster.h) and the CD menu's items (menu_items.inc, included by
# hover_rules.h, from the item table and the window table that places them).
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Runs SCRIPT to write generated/INCLUDE; TABLES are what it reads.
function(generate_table_include SCRIPT INCLUDE)
    execute_process(
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/${SCRIPT} ${CMAKE_BINARY_DIR}/generated/${INCLUDE}
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${SCRIPT} could not write ${INCLUDE}")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARGN} ${CMAKE_SOURCE_DIR}/${SCRIPT}
                 ${CMAKE_SOURCE_DIR}/tools/generated_include.py)
endfunction()

set(BOARD_LAYOUT ${CMAKE_SOURCE_DIR}/vorsaver/board/board_layout.tsv ${CMAKE_SOURCE_DIR}/tools/board_layout.py)
generate_table_include(tools/board_layout.py vorsaver/board/board_layout.inc ${BOARD_LAYOUT})
generate_table_include(tools/menu_items.py menu/menu_items.inc
    ${CMAKE_SOURCE_DIR}/menu/menu_items.tsv ${CMAKE_SOURCE_DIR}/resources/forms/menu_frmMain.frm)
include_directories(${CMAKE_BINARY_DIR}/generated)
