// Newer Windows functions with their XP fallbacks.
#include "foundation/newer_windows.h"
// psapi.dll's own GetModuleFileNameExW, not kernel32's K32 form of Windows 7.
#define PSAPI_VERSION 1
#include <psapi.h>
#include <string.h>

namespace {

template <typename Call>
Call Find(const WCHAR* dll, const char* name)
{
    HMODULE module = GetModuleHandleW(dll);
    FARPROC proc = module ? GetProcAddress(module, name) : 0;
    Call call = 0;
    memcpy(&call, &proc, sizeof(call));
    return call;
}

typedef int(WINAPI* CompareOrdinalCall)(LPCWSTR, int, LPCWSTR, int, BOOL);
typedef BOOL(WINAPI* ImageNameCall)(HANDLE, DWORD, LPWSTR, PDWORD);

// Not available before Vista.
const DWORD kQueryLimitedInformation = 0x1000;

WCHAR Upper(WCHAR c)
{
    return (WCHAR)(UINT_PTR)CharUpperW((LPWSTR)(UINT_PTR)c);
}

int Length(const WCHAR* text, int len)
{
    if (len >= 0) return len;
    int n = 0;
    while (text[n]) n++;
    return n;
}

}  // namespace

int CompareOrdinalFallback(const WCHAR* a, int aLen, const WCHAR* b, int bLen, BOOL ignoreCase)
{
    aLen = Length(a, aLen);
    bLen = Length(b, bLen);
    int n = aLen < bLen ? aLen : bLen;
    for (int i = 0; i < n; i++) {
        WCHAR x = ignoreCase ? Upper(a[i]) : a[i];
        WCHAR y = ignoreCase ? Upper(b[i]) : b[i];
        if (x != y) return x < y ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    if (aLen == bLen) return CSTR_EQUAL;
    return aLen < bLen ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

int CompareOrdinal(const WCHAR* a, int aLen, const WCHAR* b, int bLen, BOOL ignoreCase)
{
    static CompareOrdinalCall call = Find<CompareOrdinalCall>(L"kernel32.dll", "CompareStringOrdinal");
    if (call) return call(a, aLen, b, bLen, ignoreCase);
    return CompareOrdinalFallback(a, aLen, b, bLen, ignoreCase);
}

int GetProcessImagePath(DWORD processId, WCHAR* path, DWORD capacity)
{
    if (!path || capacity == 0) return 0;
    path[0] = 0;
    static ImageNameCall call = Find<ImageNameCall>(L"kernel32.dll", "QueryFullProcessImageNameW");
    if (call) {
        HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
        if (!process) return 0;
        DWORD size = capacity;
        BOOL ok = call(process, 0, path, &size);
        CloseHandle(process);
        return ok ? 1 : 0;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return 0;
    DWORD n = GetModuleFileNameExW(process, 0, path, capacity);
    CloseHandle(process);
    if (n == 0 || n >= capacity) {
        path[0] = 0;
        return 0;
    }
    return 1;
}

int GetFileChangeTime(HANDLE file, uint64_t* changeTime)
{
    typedef BOOL(WINAPI * InfoCall)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
    static InfoCall call = Find<InfoCall>(L"kernel32.dll", "GetFileInformationByHandleEx");
    *changeTime = 0;
    if (!call) return 1;
    FILE_BASIC_INFO basic;
    if (!call(file, FileBasicInfo, &basic, sizeof basic)) return 0;
    *changeTime = (uint64_t)basic.ChangeTime.QuadPart;
    return 1;
}
