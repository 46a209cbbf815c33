// Reads the clipboard's picture in either of the forms programs put there.
#include "imaging/clipboard_image.h"
#include "imaging/ai_image.h"
#include "foundation/clipboard.h"

int ReadClipboardImage(AIClipboard& clipboard, AIImage& image)
{
    image.Destroy();
    if (!clipboard.Open()) return 0;
    uint8_t* block = nullptr;
    uint32_t bytes = 0;
    if (clipboard.HasDib() && clipboard.GetDib(&block, &bytes) && block) {
        int ok = image.FromClipboardDib(block, bytes) && image.IsValid();
        LocalFree(block);
        if (ok) return 1;
        image.Destroy();
    }
    if (!clipboard.GetBytes(AIClipboard::PngFormat(), kClipboardPngMaxBytes, &block, &bytes) || !block) return 0;
    int ok = image.LoadFromMemory(block, bytes, kImagePng) && image.IsValid();
    LocalFree(block);
    if (!ok) image.Destroy();
    return ok;
}
