// The one rule for writing bytes to a file: a short write is a full disk.
#include "foundation/file_write.h"

const WCHAR kDiskFullReason[] = L"Not enough free disk space";

namespace {

const DWORD kWriteChunk = 4 * 1024 * 1024;
WriteFileFn s_writer = 0;

}  // namespace

void SetFileWriterForTests(WriteFileFn writer) { s_writer = writer; }

int IsDiskFullError(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

int WriteAllToFile(HANDLE file, const void* bytes, int64_t count)
{
    const uint8_t* at = (const uint8_t*)bytes;
    while (count > 0) {
        DWORD chunk = count > (int64_t)kWriteChunk ? kWriteChunk : (DWORD)count;
        DWORD written = 0;
        BOOL ok = s_writer ? s_writer(file, at, chunk, &written, 0) : WriteFile(file, at, chunk, &written, 0);
        if (!ok) {
            // A failure without a code still must not read as success.
            if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_WRITE_FAULT);
            return 0;
        }
        if (written < chunk) {
            SetLastError(ERROR_DISK_FULL);
            return 0;
        }
        at += written;
        count -= written;
    }
    return 1;
}
