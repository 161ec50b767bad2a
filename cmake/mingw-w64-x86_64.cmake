# Cross-build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix). Test
# programs run through Wine, so ctest works on the build machine as on Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVEK_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model: std::thread and std::mutex need it.
set(CMAKE_C_COMPILER ${TARVEK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVEK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVEK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARVEK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TARVEK_WINE wine)
if(TARVEK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TARVEK_WINE})
endif()
set(ZLIB_USE_STATIC_LIBS ON)
