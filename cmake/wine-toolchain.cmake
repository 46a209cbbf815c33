# Builds Win32 code as a Winelib application with wineg++.
set(CMAKE_SYSTEM_NAME Linux)
find_program(WINEGXX NAMES wineg++ wineg++-stable PATHS /usr/bin /usr/lib/wine REQUIRED)
find_program(WINEGCC NAMES winegcc winegcc-stable PATHS /usr/bin /usr/lib/wine REQUIRED)
set(CMAKE_CXX_COMPILER ${WINEGXX})
set(CMAKE_C_COMPILER ${WINEGCC})
set(CMAKE_EXECUTABLE_SUFFIX .exe)
set(CMAKE_EXECUTABLE_SUFFIX_CXX .exe)
set(CMAKE_EXECUTABLE_SUFFIX_C .exe)
# The ABI probe cannot read wineg++'s output; tell CMake what it would have found.
set(CMAKE_LIBRARY_ARCHITECTURE x86_64-linux-gnu)
set(CMAKE_SIZEOF_VOID_P 8)
set(CMAKE_CXX_COMPILER_WORKS 1)
set(CMAKE_C_COMPILER_WORKS 1)
