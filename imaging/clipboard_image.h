// The picture on the clipboard as an image: CF_DIB when it is there, else the
// registered "PNG" format.
#pragma once
#include "foundation/win.h"

class AIClipboard;
class AIImage;

// Bytes of a clipboard PNG read at most (larger blocks are refused).
const uint32_t kClipboardPngMaxBytes = 256u * 1024 * 1024;

// 1 when `image` holds the clipboard's picture (the clipboard is opened as
// needed and left open for its owner to close).
int ReadClipboardImage(AIClipboard& clipboard, AIImage& image);
