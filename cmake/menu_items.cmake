# The CD menu's items are one table (menu/menu_items.tsv) beside the window
# table that places them; the menu, the pictures' generator and check and
# the menu's tests read both. For the menu it is written out as C++
# (menu_items.inc, included by hover_rules.h) when cmake runs, and cmake
# runs again by itself when either table changes.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(MENU_ITEMS ${CMAKE_SOURCE_DIR}/menu/menu_items.tsv ${CMAKE_SOURCE_DIR}/resources/forms/menu_frmMain.frm
    ${CMAKE_SOURCE_DIR}/tools/menu_items.py)
execute_process(
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/menu_items.py
            ${CMAKE_BINARY_DIR}/generated/menu/menu_items.inc
    RESULT_VARIABLE menu_items_rc)
if(NOT menu_items_rc EQUAL 0)
    message(FATAL_ERROR "tools/menu_items.py could not write the menu's items")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MENU_ITEMS})
include_directories(${CMAKE_BINARY_DIR}/generated)
