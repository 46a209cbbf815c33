// AIClipboard: clipboard text and bitmaps for an owner window. The first Set
// of one opening empties the clipboard, so text and a bitmap can be offered
// together; the clipboard is closed when the object ends.
#pragma once
#include "foundation/win.h"

class AIString;

class AIClipboard {
public:
    explicit AIClipboard(HWND owner);
    ~AIClipboard();

    int Open();     // retried briefly while another program holds it; 1 on success
    void Close();
    int Empty();

    int HasText();
    int HasDib();
    // A picture in a form the program reads: CF_DIB or the registered "PNG"
    // format most programs put there today.
    int HasPicture();
    static UINT PngFormat();
    int HasFormat(UINT format);

    // Any format from a copy of bytes (moveable global memory the clipboard then owns).
    int SetData(UINT format, const void* data, SIZE_T bytes);

    // CF_UNICODETEXT. length -1 takes the text up to its zero.
    int SetText(const WCHAR* text, int length = -1);
    // At most maxChars characters; 1 when text was there.
    int GetText(AIString& out, int maxChars);

    // CF_DIB from a packed DIB (BITMAPINFOHEADER, colour table, pixels).
    int SetDib(const void* packedDib, uint32_t bytes);
    // A LocalAlloc copy of the CF_DIB block (free it with LocalFree), checked
    // against the size its header claims; 0 when absent or damaged.
    int GetDib(uint8_t** block, uint32_t* bytes);
    // A LocalAlloc copy of any format's block (free it with LocalFree), at
    // most maxBytes; 0 when absent, empty or larger.
    int GetBytes(UINT format, uint32_t maxBytes, uint8_t** block, uint32_t* bytes);

private:
    HWND owner_;
    int open_;
    int emptied_;
};

// Bytes a packed DIB needs by its header (header, masks, colour table and
// pixels), or 0 when the header is not a sane DIB header.
uint32_t PackedDibSize(const BITMAPINFOHEADER* header, uint32_t available);
