#!/bin/sh
# Compiler launcher of the native Windows build for the files the Winelib build
# hands to the host g++: they compile with the target's own compiler (through
# ccache when it is there).
if command -v ccache >/dev/null 2>&1; then exec ccache "$@"; fi
exec "$@"
