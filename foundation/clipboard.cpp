#include "foundation/clipboard.h"
#include "foundation/ai_string.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <string.h>
#include "foundation/process_end.h"

namespace {
const int kModule = kTraceClipboard;
}

uint32_t PackedDibSize(const BITMAPINFOHEADER* header, uint32_t available)
{
    if (!header || available < sizeof(BITMAPINFOHEADER)) return 0;
    uint32_t headerSize = header->biSize;
    if (headerSize != sizeof(BITMAPINFOHEADER) && headerSize != sizeof(BITMAPV4HEADER) &&
        headerSize != sizeof(BITMAPV5HEADER))
        return 0;
    int64_t width = header->biWidth;
    int64_t height = header->biHeight < 0 ? -(int64_t)header->biHeight : header->biHeight;
    int bits = header->biBitCount;
    if (width <= 0 || width > 65535 || height <= 0 || height > 65535 || header->biPlanes != 1) return 0;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return 0;
    uint64_t colours = header->biClrUsed;
    if (colours == 0 && bits <= 8) colours = 1u << bits;
    if (colours > 256) return 0;
    uint64_t masks = (headerSize == sizeof(BITMAPINFOHEADER) && header->biCompression == BI_BITFIELDS) ? 12 : 0;
    uint64_t image;
    if (header->biCompression == BI_RGB || header->biCompression == BI_BITFIELDS)
        image = (uint64_t)((width * bits + 31) / 32) * 4 * (uint64_t)height;
    else
        image = header->biSizeImage;  // compressed: only the header knows
    if (image == 0) return 0;
    uint64_t total = headerSize + masks + colours * 4 + image;
    if (total > available) return 0;
    return (uint32_t)total;
}

AIClipboard::AIClipboard(HWND owner) : owner_(owner), open_(0), emptied_(0) {}

AIClipboard::~AIClipboard()
{
    if (!IsProcessEnding()) Close();
}

int AIClipboard::Open()
{
    TRACE_SCOPE(kModule, 1);
    if (open_) return 1;
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 10; attempt++) {
        if (OpenClipboard(owner_)) {
            open_ = 1;
            emptied_ = 0;
            return 1;
        }
        Sleep(10);
    }
    return 0;
}

void AIClipboard::Close()
{
    if (open_) CloseClipboard();
    open_ = 0;
    emptied_ = 0;
}

int AIClipboard::Empty()
{
    if (!Open()) return 0;
    emptied_ = EmptyClipboard() ? 1 : 0;
    return emptied_;
}

int AIClipboard::HasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) ? 1 : 0; }
int AIClipboard::HasDib() { return IsClipboardFormatAvailable(CF_DIB) ? 1 : 0; }
int AIClipboard::HasPicture() { return HasDib() || HasFormat(PngFormat()); }
UINT AIClipboard::PngFormat() { return RegisterClipboardFormatW(L"PNG"); }
int AIClipboard::HasFormat(UINT format) { return IsClipboardFormatAvailable(format) ? 1 : 0; }

int AIClipboard::SetData(UINT format, const void* data, SIZE_T bytes)
{
    if (!Open()) return 0;
    if (!emptied_ && !Empty()) return 0;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return 0;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return 0;
    }
    memcpy(target, data, bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        return 0;
    }
    return 1;  // the clipboard owns the memory now
}

int AIClipboard::SetText(const WCHAR* text, int length)
{
    TRACE_SCOPE(kModule, 2);
    if (!text) text = L"";
    int n = TextLength(text);
    if (length >= 0 && length < n) n = length;
    WCHAR* copy = (WCHAR*)LocalAlloc(LPTR, ((SIZE_T)n + 1) * sizeof(WCHAR));
    if (!copy) return 0;
    memcpy(copy, text, (SIZE_T)n * sizeof(WCHAR));
    copy[n] = 0;
    int ok = SetData(CF_UNICODETEXT, copy, ((SIZE_T)n + 1) * sizeof(WCHAR));
    LocalFree(copy);
    return ok;
}

int AIClipboard::GetText(AIString& out, int maxChars)
{
    TRACE_SCOPE(kModule, 3);
    out.Clear();
    if (maxChars <= 0 || !Open()) return 0;
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    if (!memory) return 0;
    const WCHAR* text = (const WCHAR*)GlobalLock(memory);
    if (!text) return 0;
    // The block need not hold a terminating zero: never read past its size.
    SIZE_T limit = GlobalSize(memory) / sizeof(WCHAR);
    int n = 0;
    while ((SIZE_T)n < limit && n < maxChars && text[n]) n++;
    out.AssignTextN(text, n);
    GlobalUnlock(memory);
    return 1;
}

int AIClipboard::SetDib(const void* packedDib, uint32_t bytes)
{
    TRACE_SCOPE(kModule, 4);
    uint32_t needed = PackedDibSize((const BITMAPINFOHEADER*)packedDib, bytes);
    if (!packedDib || needed == 0) return 0;
    return SetData(CF_DIB, packedDib, needed);
}

int AIClipboard::GetDib(uint8_t** block, uint32_t* bytes)
{
    TRACE_SCOPE(kModule, 5);
    *block = 0;
    *bytes = 0;
    if (!Open()) return 0;
    HANDLE memory = GetClipboardData(CF_DIB);
    if (!memory) return 0;
    const uint8_t* data = (const uint8_t*)GlobalLock(memory);
    if (!data) return 0;
    SIZE_T size = GlobalSize(memory);
    uint32_t needed = size > 0xFFFFFFFFu ? 0 : PackedDibSize((const BITMAPINFOHEADER*)data, (uint32_t)size);
    int ok = 0;
    if (needed) {
        uint8_t* copy = (uint8_t*)LocalAlloc(LMEM_FIXED, needed);
        if (copy) {
            memcpy(copy, data, needed);
            *block = copy;
            *bytes = needed;
            ok = 1;
        }
    }
    GlobalUnlock(memory);
    return ok;
}

int AIClipboard::GetBytes(UINT format, uint32_t maxBytes, uint8_t** block, uint32_t* bytes)
{
    *block = 0;
    *bytes = 0;
    if (!format || !Open()) return 0;
    HANDLE memory = GetClipboardData(format);
    if (!memory) return 0;
    SIZE_T size = GlobalSize(memory);
    if (size == 0 || size > maxBytes) return 0;
    const uint8_t* data = (const uint8_t*)GlobalLock(memory);
    if (!data) return 0;
    uint8_t* copy = (uint8_t*)LocalAlloc(LMEM_FIXED, size);
    if (copy) {
        memcpy(copy, data, size);
        *block = copy;
        *bytes = (uint32_t)size;
    }
    GlobalUnlock(memory);
    return copy ? 1 : 0;
}
