// The paste screen's large view window (see image_large_view.h).
#include "dialogs/screens/image_large_view.h"
#include "imaging/ai_image.h"

namespace {

const WCHAR kLargeViewClass[] = L"TavikLargeView";

struct LargeView {
    HWND window = 0;
    AIImage image;
};

LargeView& View()
{
    static LargeView view;
    return view;
}

void PaintLargeView(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(GRAY_BRUSH));
    const AIImage& image = View().image;
    if (image.IsValid()) {
        RECT dest = FitLargeView(image.GetWidth(), image.GetHeight(), client.right, client.bottom);
        if (dest.right > dest.left) image.StretchRect(dc, dest);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK LargeViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: PaintLargeView(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCDESTROY:
        if (View().window == window) View().window = 0;
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int RegisterLargeView()
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(GetModuleHandleW(0), kLargeViewClass, &wc)) return 1;
    wc.lpfnWndProc = LargeViewProc;
    wc.hInstance = GetModuleHandleW(0);
    wc.hCursor = 0;  // the cursor is hidden while the view shows
    wc.lpszClassName = kLargeViewClass;
    return RegisterClassW(&wc) ? 1 : 0;
}

}  // namespace

RECT FitLargeView(int w, int h, int cw, int ch)
{
    RECT none = {0, 0, 0, 0};
    if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0) return none;
    int dw = cw, dh = (int)((int64_t)cw * h / w);
    if (dh > ch) {
        dh = ch;
        dw = (int)((int64_t)ch * w / h);
    }
    RECT dest = {(cw - dw) / 2, (ch - dh) / 2, (cw - dw) / 2 + dw, (ch - dh) / 2 + dh};
    return dest;
}

HWND ShowLargeView(HWND owner, const RECT& screenRect, const AIImage& image)
{
    LargeView& v = View();
    if (!v.image.CopyFrom(image)) return 0;
    int width = screenRect.right - screenRect.left, height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0) return 0;
    if (!v.window) {
        if (!RegisterLargeView()) return 0;
        v.window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kLargeViewClass, L"", WS_POPUP,
                                   screenRect.left, screenRect.top, width, height, owner, 0, GetModuleHandleW(0), 0);
        if (!v.window) return 0;
    }
    SetWindowPos(v.window, HWND_TOP, screenRect.left, screenRect.top, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(v.window, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW);
    return v.window;
}

void HideLargeView()
{
    LargeView& v = View();
    if (v.window) DestroyWindow(v.window);
    v.window = 0;
    v.image.Destroy();
}

HWND LargeViewWindow() { return View().window; }
