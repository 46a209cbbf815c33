// Reading a preview's text from a file.
#include "search/preview/preview_text.h"
#include "search/capture/page_charset.h"

namespace {

const int kUtf16MarkBytes = 2;
const int kUtf8MarkBytes = 3;

bool HasUtf16Mark(const unsigned char* b, int size) { return size >= 2 && b[0] == 0xFF && b[1] == 0xFE; }
bool HasUtf8Mark(const unsigned char* b, int size)
{
    return size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF;
}

// Bytes of a UTF-8 text up to its last whole character.
int WholeUtf8Bytes(const unsigned char* b, int size)
{
    int lead = size;
    int back = 0;
    while (lead > 0 && back < 4 && (b[lead - 1] & 0xC0) == 0x80) lead--, back++;
    if (lead == 0) return size;
    unsigned char c = b[lead - 1];
    int need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return size - (lead - 1) < need ? lead - 1 : size;
}

PreviewTextResult DecodeUtf16(const unsigned char* b, int size, AIString& out)
{
    int chars = size / 2;
    WCHAR* text = out.GetBuffer(chars + 1);
    if (!text) return kPreviewTextUndecodable;
    for (int i = 0; i < chars; i++) text[i] = (WCHAR)(b[2 * i] | b[2 * i + 1] << 8);
    // A cut after the first half of a surrogate pair drops that half.
    if (chars > 0 && text[chars - 1] >= 0xD800 && text[chars - 1] <= 0xDBFF) chars--;
    out.SetLength(chars);
    return chars ? kPreviewTextOk : kPreviewTextEmpty;
}

PreviewTextResult DecodeCodePage(UINT codePage, DWORD flags, const unsigned char* b, int size, AIString& out)
{
    int chars = MultiByteToWideChar(codePage, flags, (const char*)b, size, nullptr, 0);
    if (chars <= 0) return kPreviewTextUndecodable;
    WCHAR* text = out.GetBuffer(chars + 1);
    if (!text || MultiByteToWideChar(codePage, flags, (const char*)b, size, text, chars) != chars)
        return kPreviewTextUndecodable;
    out.SetLength(chars);
    return kPreviewTextOk;
}

}  // namespace

PreviewTextResult DecodePreviewBytes(const unsigned char* bytes, int size, AIString& out)
{
    out.Clear();
    if (!bytes || size <= 0) return kPreviewTextEmpty;
    if (HasUtf16Mark(bytes, size)) return DecodeUtf16(bytes + kUtf16MarkBytes, size - kUtf16MarkBytes, out);
    bool marked = HasUtf8Mark(bytes, size);
    if (marked) {
        bytes += kUtf8MarkBytes;
        size -= kUtf8MarkBytes;
    }
    if (size <= 0) return kPreviewTextEmpty;
    for (int i = 0; i < size; i++)
        if (!bytes[i]) return kPreviewTextBinary;
    int whole = WholeUtf8Bytes(bytes, size);
    // Text without a mark that is valid UTF-8 is read as UTF-8 (plain ASCII reads
    // the same either way); anything else through the ANSI code page.
    if (marked) return DecodeCodePage(kCodePageUtf8, 0, bytes, whole, out);
    if (DecodeCodePage(kCodePageUtf8, MB_ERR_INVALID_CHARS, bytes, whole, out) == kPreviewTextOk)
        return kPreviewTextOk;
    out.Clear();
    return DecodeCodePage(CP_ACP, 0, bytes, size, out);
}

PreviewTextResult ReadPreviewTextFile(const WCHAR* path, int maxBytes, AIString& out)
{
    out.Clear();
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kPreviewTextMissing;
    // The mark is read on top of the bound, so the bound counts text bytes.
    int room = maxBytes + kUtf8MarkBytes;
    unsigned char* bytes = (unsigned char*)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)room);
    DWORD got = 0;
    BOOL ok = bytes && ReadFile(file, bytes, (DWORD)room, &got, nullptr);
    CloseHandle(file);
    if (!ok) {
        if (bytes) HeapFree(GetProcessHeap(), 0, bytes);
        return bytes ? kPreviewTextMissing : kPreviewTextUndecodable;
    }
    int size = (int)got;
    int mark = HasUtf16Mark(bytes, size) ? kUtf16MarkBytes : HasUtf8Mark(bytes, size) ? kUtf8MarkBytes : 0;
    if (size > mark + maxBytes) size = mark + maxBytes;
    PreviewTextResult result = DecodePreviewBytes(bytes, size, out);
    HeapFree(GetProcessHeap(), 0, bytes);
    return result;
}

const WCHAR* PreviewTextFailureText(PreviewTextResult result)
{
    switch (result) {
    case kPreviewTextOk: return L"";
    case kPreviewTextMissing: return L"The file cannot be read";
    case kPreviewTextEmpty: return L"No preview available - the file is empty";
    case kPreviewTextBinary: return L"No preview available - the file does not hold text";
    default: return L"Failed to preview text !";
    }
}
