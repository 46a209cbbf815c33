#!/bin/sh
# Compiler launcher for the files that include a dependency's headers (png.h,
# jpeglib.h, tiffio.h, curl.h): those clash with Wine's headers, so they are
# compiled by the host g++ and offer the program an interface of plain types.
shift
exec g++ -fPIC "$@"
