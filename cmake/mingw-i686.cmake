# Native 32-bit Windows build (PE32) with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVIK_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
