// A ByteStream over a file opened with CreateFileW (UTF-16 paths).
#pragma once
#include "foundation/win.h"
#include "imaging/byte_stream.h"

struct FileStream {
    HANDLE file = INVALID_HANDLE_VALUE;
    bool failed = false;    // a read or write came up short
    bool diskFull = false;  // a write failed for want of disk space
};

// mode 'r' opens an existing file for reading, 'w' creates or truncates one.
int32_t FileStreamOpen(FileStream* file, const WCHAR* path, char mode, ByteStream* stream);
void FileStreamClose(FileStream* file);
