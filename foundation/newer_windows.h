// Windows functions newer than Windows XP SP2, the oldest system the program
// runs on: looked up at run time, with an XP fallback of the same meaning.
#pragma once
#include "foundation/win.h"

// CompareStringOrdinal: CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN by code
// unit, ignoring case through the system's upper-case table when asked.
int CompareOrdinal(const WCHAR* a, int aLen, const WCHAR* b, int bLen, BOOL ignoreCase);
// The XP fallback itself, open to the tests.
int CompareOrdinalFallback(const WCHAR* a, int aLen, const WCHAR* b, int bLen, BOOL ignoreCase);

// The full path of the program file of a process; 0 when it cannot be had
// (QueryFullProcessImageNameW, on XP the process's main module's file name).
int GetProcessImagePath(DWORD processId, WCHAR* path, DWORD capacity);

// The change time of an open file (GetFileInformationByHandleEx's
// FileBasicInfo); on XP, which lacks it, 0 with success: callers compare it
// beside the write time, size and file index, which XP does give.
int GetFileChangeTime(HANDLE file, uint64_t* changeTime);
