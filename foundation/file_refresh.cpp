// A file kept equal to given bytes, written only when it differs.
#include "foundation/file_refresh.h"
#include "foundation/file_write.h"
#include <string.h>

namespace {

// 1 when the file exists with exactly these bytes. Its size is compared first:
// a file of another size is never read.
int HoldsBytes(const WCHAR* path, const void* bytes, DWORD count)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    LARGE_INTEGER size = {};
    int same = GetFileSizeEx(file, &size) && size.QuadPart == (LONGLONG)count;
    if (same && count > 0) {
        void* read = LocalAlloc(LMEM_FIXED, count);
        DWORD got = 0;
        same = read && ReadFile(file, read, count, &got, nullptr) && got == count &&
               memcmp(read, bytes, count) == 0;
        if (read) LocalFree(read);
    }
    CloseHandle(file);
    return same;
}

}  // namespace

int RefreshFileContent(const WCHAR* path, const void* bytes, DWORD count)
{
    if (HoldsBytes(path, bytes, count)) return 1;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    int ok = WriteAllToFile(file, bytes, count);
    CloseHandle(file);
    // A file cut short is worse than none: the next call writes it again.
    if (!ok) DeleteFileW(path);
    return ok;
}
