# Cross-compiles for 32-bit Windows with MinGW-w64 (posix thread model).
# This machine cannot execute 32-bit code: the build is compiled and linked only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
