// A bitmap as a packed DIB on the clipboard.
#include "dialogs/images/image_clipboard.h"
#include "drawing/ai_dib.h"
#include "foundation/clipboard.h"
#include <string.h>
#include <vector>

int PutDibOnClipboard(HWND owner, const AIDib& dib)
{
    if (dib.IsEmpty() || !dib.GetBits()) return 0;
    int width = dib.GetWidth(), height = dib.GetHeight();
    int inBytes = dib.GetBitsPerPixel() / 8;
    if (inBytes != 3 && inBytes != 4) return 0;
    size_t outStride = ((size_t)width * 3 + 3) & ~(size_t)3;
    size_t bytes = sizeof(BITMAPINFOHEADER) + outStride * height;
    if (bytes > 0xFFFFFFFFu) return 0;
    std::vector<uint8_t> packed(bytes, 0);
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)packed.data();
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;  // bottom-up, as most readers expect
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = (DWORD)(outStride * height);
    const uint8_t* in = (const uint8_t*)dib.GetBits();
    uint8_t* out = packed.data() + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < height; y++) {
        const uint8_t* row = in + (size_t)y * dib.GetStride();
        uint8_t* to = out + (size_t)(height - 1 - y) * outStride;
        for (int x = 0; x < width; x++) memcpy(to + x * 3, row + x * inBytes, 3);
    }
    AIClipboard clipboard(owner);
    if (!clipboard.Open()) return 0;
    return clipboard.SetDib(packed.data(), (uint32_t)bytes);
}
