# The mingw-w64 cross toolchain for MINGW_ARCH (set by mingw-<arch>.cmake).
# VORLAKS_THREADS picks the compiler's thread model: win32 for the programs
# that ship (their runtime imports nothing that Windows 95 lacks), posix for
# the test drivers (GoogleTest needs std::mutex).
if(NOT VORLAKS_THREADS)
    set(VORLAKS_THREADS win32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORLAKS_THREADS)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_ARCH}-w64-mingw32-gcc-${VORLAKS_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_ARCH}-w64-mingw32-g++-${VORLAKS_THREADS})
set(CMAKE_RC_COMPILER ${MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
