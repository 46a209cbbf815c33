// Writing bytes to an open file, all or nothing as far as the caller can
// tell. With a nearly full disk WriteFile may succeed while taking fewer
// bytes than asked, with the last error cleared: such a short write is a
// failure whose reason is a full disk, never a silent success and never a
// failure without a reason.
#pragma once
#include "foundation/win.h"

// Writes count bytes at the file's position, in chunks. 1 when every byte
// was written; 0 otherwise, with the last error set (ERROR_DISK_FULL after a
// short write).
int WriteAllToFile(HANDLE file, const void* bytes, int64_t count);

// 1 for the system errors that mean the disk has no room left.
int IsDiskFullError(DWORD error);

// The text that gives a full disk as the reason of a failed write.
extern const WCHAR kDiskFullReason[];

// Tests stand in for the system's WriteFile (for example with one that takes
// fewer bytes than asked, as a nearly full disk does); null restores it.
typedef BOOL(WINAPI* WriteFileFn)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
void SetFileWriterForTests(WriteFileFn writer);
