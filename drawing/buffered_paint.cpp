#include "drawing/buffered_paint.h"
#include "drawing/ai_dib.h"

void BeginBufferedPaint(HWND window, AIDib& buffer, BufferedPaint& paint)
{
    RECT client;
    GetClientRect(window, &client);
    paint.width = client.right;
    paint.height = client.bottom;
    paint.windowDC = BeginPaint(window, &paint.ps);
    paint.memory = 0;
    if (paint.width <= 0 || paint.height <= 0) return;
    int sized = buffer.GetWidth() == paint.width && buffer.GetHeight() == paint.height;
    if (sized || buffer.Create(paint.width, paint.height, 32)) paint.memory = buffer.SelectIntoMemoryDC();
}

void EndBufferedPaint(HWND window, AIDib& buffer, BufferedPaint& paint)
{
    if (paint.memory) BitBlt(paint.windowDC, 0, 0, paint.width, paint.height, paint.memory, 0, 0, SRCCOPY);
    buffer.ReleaseMemoryDC();
    paint.memory = 0;
    EndPaint(window, &paint.ps);
}
