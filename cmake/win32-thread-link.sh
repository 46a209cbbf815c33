#!/bin/sh
# Linker launcher: links with the win32-thread variant of the MinGW-w64 driver
# given (…-g++-posix -> …-g++-win32).
compiler="$1"; shift
exec "${compiler%-posix}-win32" "$@"
