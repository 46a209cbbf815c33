// The few Win32 calls that the text code makes, for the fuzzers that run it
// off Windows (host clang with the sanitizers): heap blocks, letter case,
// compares and the narrow copy. The program services it reaches only when
// memory runs out, when a string draws itself or when a table goes to a file
// answer as a run without windows and without files would.
#include "foundation/win.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_draw.h"
#include "foundation/errors.h"
#include <stdlib.h>

extern "C" {

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes)
{
    void* block = (flags & LMEM_ZEROINIT) ? calloc(1, bytes ? bytes : 1) : malloc(bytes ? bytes : 1);
    return (HLOCAL)block;
}

HLOCAL WINAPI LocalFree(HLOCAL block)
{
    free(block);
    return nullptr;
}

void WINAPI SetLastError(DWORD) {}

// Latin letters and the Latin-1 supplement: enough for case-insensitive
// compares to behave like the platform's on the fuzzers' inputs.
static WCHAR LowerOf(WCHAR c)
{
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return (WCHAR)(c + 32);
    return c;
}

static WCHAR UpperOf(WCHAR c)
{
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return (WCHAR)(c - 32);
    return c;
}

DWORD WINAPI CharLowerBuffW(LPWSTR text, DWORD length)
{
    for (DWORD i = 0; i < length; i++) text[i] = LowerOf(text[i]);
    return length;
}

DWORD WINAPI CharUpperBuffW(LPWSTR text, DWORD length)
{
    for (DWORD i = 0; i < length; i++) text[i] = UpperOf(text[i]);
    return length;
}

LPWSTR WINAPI CharLowerW(LPWSTR text)
{
    for (WCHAR* p = text; *p; p++) *p = LowerOf(*p);
    return text;
}

LPWSTR WINAPI CharUpperW(LPWSTR text)
{
    for (WCHAR* p = text; *p; p++) *p = UpperOf(*p);
    return text;
}

LPWSTR WINAPI lstrcpynW(LPWSTR out, LPCWSTR text, INT room)
{
    if (room <= 0) return out;
    INT i = 0;
    for (; i + 1 < room && text[i]; i++) out[i] = text[i];
    out[i] = 0;
    return out;
}

INT WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b)
{
    INT order = CompareStringW(0, 0, a, -1, b, -1);
    return order == CSTR_EQUAL ? 0 : order == CSTR_LESS_THAN ? -1 : 1;
}

INT WINAPI CompareStringW(LCID, DWORD flags, LPCWSTR a, INT aLength, LPCWSTR b, INT bLength)
{
    if (aLength < 0)
        for (aLength = 0; a[aLength]; aLength++) {}
    if (bLength < 0)
        for (bLength = 0; b[bLength]; bLength++) {}
    INT n = aLength < bLength ? aLength : bLength;
    for (INT i = 0; i < n; i++) {
        WCHAR x = (flags & NORM_IGNORECASE) ? LowerOf(a[i]) : a[i];
        WCHAR y = (flags & NORM_IGNORECASE) ? LowerOf(b[i]) : b[i];
        if (x != y) return x < y ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    return aLength == bLength ? CSTR_EQUAL : aLength < bLength ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

INT WINAPI WideCharToMultiByte(UINT, DWORD, LPCWSTR text, INT chars, LPSTR out, INT outBytes, LPCSTR, LPBOOL)
{
    if (chars < 0)
        for (chars = 1; text[chars - 1]; chars++) {}
    if (!out || outBytes == 0) return chars;
    INT n = chars < outBytes ? chars : outBytes;
    for (INT i = 0; i < n; i++) out[i] = text[i] < 0x100 ? (char)text[i] : '?';
    return n;
}

INT WINAPI GetWindowTextW(HWND, LPWSTR text, INT room)
{
    if (text && room > 0) text[0] = 0;
    return 0;
}

INT WINAPI GetWindowTextLengthW(HWND) { return 0; }

}  // extern "C"

int AskRetryAllocation() { return 0; }

void FreeDrawState(AIStringDrawState* state) { LocalFree(state); }

// No fuzzer loads or saves a table: every file is missing, nothing is written.
AIFile::AIFile() : handle_(INVALID_HANDLE_VALUE), openError_(ERROR_FILE_NOT_FOUND) {}
AIFile::~AIFile() {}
int AIFile::Exists(const WCHAR*) { return 0; }
int AIFile::OpenForRead(const WCHAR*, int) { return 0; }
int AIFile::ReadToText(AIString& out, int64_t)
{
    out.Clear();
    return 0;
}
void AIFile::Close() {}
int AIFile::WriteUtf16File(const WCHAR*, const WCHAR*, int) { return 0; }
