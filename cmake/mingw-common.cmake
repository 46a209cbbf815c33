# Shared part of the native Windows toolchains (Debian's MinGW-w64 cross compilers).
# The including file sets TAVIK_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
# The posix-thread compilers: GoogleTest needs std::mutex. The program itself is
# linked against the win32-thread runtime (see TAVIK_PROGRAM_LINKER below).
set(CMAKE_C_COMPILER ${TAVIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVIK_MINGW_TRIPLE}-windres)
set(TAVIK_PROGRAM_LINKER ${TAVIK_MINGW_TRIPLE}-g++-win32)
# Libraries: the cross sysroot (zlib) and the dependency prefix windows-deps.sh fills.
if(NOT TAVIK_WINDOWS_DEPS AND DEFINED ENV{TAVIK_WINDOWS_DEPS})
  set(TAVIK_WINDOWS_DEPS $ENV{TAVIK_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${TAVIK_MINGW_TRIPLE} ${TAVIK_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
