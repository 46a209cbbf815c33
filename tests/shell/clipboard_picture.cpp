// Puts a picture on the clipboard for a test that drives the program from
// outside, and keeps it offered until the test is done.
//
// Usage: clipboard_picture <ready file> <stop file>
// Writes the ready file once the picture (64 x 48, CF_DIB) is on the
// clipboard, then answers the display's requests for it until the stop file
// exists (at most a minute).
#include "foundation/win.h"
#include <shellapi.h>
#include <stdio.h>

namespace {

const int kWidth = 64;
const int kHeight = 48;
const DWORD kMaxWaitMs = 60000;
const DWORD kPollMs = 50;

HGLOBAL MakePicture()
{
    const DWORD stride = ((kWidth * 3 + 3) / 4) * 4;
    const DWORD bytes = sizeof(BITMAPINFOHEADER) + stride * kHeight;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block) return nullptr;
    BYTE* data = (BYTE*)GlobalLock(block);
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)data;
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = kWidth;
    header->biHeight = kHeight;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = stride * kHeight;
    BYTE* pixels = data + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            BYTE* p = pixels + y * stride + x * 3;
            p[0] = (BYTE)(x * 4);
            p[1] = (BYTE)(y * 5);
            p[2] = (BYTE)((x + y) * 2);
        }
    GlobalUnlock(block);
    return block;
}

int Exists(const WCHAR* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int main()
{
    int argc = 0;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) return 2;
    HWND owner = CreateWindowExW(0, L"STATIC", L"clipboard picture", 0, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HGLOBAL picture = MakePicture();
    if (!owner || !picture || !OpenClipboard(owner)) return 1;
    EmptyClipboard();
    int ok = SetClipboardData(CF_DIB, picture) != nullptr;
    CloseClipboard();
    if (!ok) return 1;
    HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    DWORD start = GetTickCount();
    while (!Exists(argv[2]) && GetTickCount() - start < kMaxWaitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return 0;
}
