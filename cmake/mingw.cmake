# Cross-compiles Windows programs with MinGW-w64 (posix thread model, so
# std::thread, std::mutex and GoogleTest work). QV_ARCH picks the target:
#   i686   - the shipped 32-bit programs (default)
#   x86_64 - the same sources for 64-bit Wine, which runs the tests on
#            machines whose kernel cannot execute 32-bit code
if(NOT QV_ARCH)
    set(QV_ARCH i686)
endif()
set(QV_ARCH ${QV_ARCH} CACHE STRING "Windows target: i686 or x86_64")
set(CMAKE_SYSTEM_NAME Windows)
if(QV_ARCH STREQUAL "x86_64")
    set(CMAKE_SYSTEM_PROCESSOR AMD64)
else()
    set(CMAKE_SYSTEM_PROCESSOR x86)
endif()

set(QV_MINGW_PREFIX ${QV_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${QV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QV_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
