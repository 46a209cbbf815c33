#include "ui/ai_window.h"
#include "foundation/ai_string.h"
#include "foundation/errors.h"
#include "foundation/hash_name.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

AIWindow::AIWindow(int windowId) : windowId_(windowId), hwnd_(0), enabled_(1) {}

ATOM AIWindow::RegisterClassWithIcon(const WCHAR* className, WNDPROC procedure, int iconId)
{
    HINSTANCE instance = GetModuleHandleW(0);
    WNDCLASSEXW existing;
    existing.cbSize = sizeof(existing);
    ATOM atom = (ATOM)GetClassInfoExW(instance, className, &existing);
    if (atom) return atom;
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(0, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = className;
    if (iconId) {
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(iconId));
        wc.hIconSm = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
    }
    return RegisterClassExW(&wc);
}

HWND AIWindow::Create(DWORD exStyle, const WCHAR* className, const WCHAR* title, DWORD style,
                      int left, int top, int width, int height, HWND parent, HMENU menu, void* param)
{
    for (;;) {
        hwnd_ = CreateWindowExW(exStyle, className, title, style, left, top, width, height, parent,
                                menu, GetModuleHandleW(0), param);
        if (hwnd_ || !AskRetryOutOfResources()) break;
    }
    return hwnd_;
}

int AIWindow::SetTitle(const WCHAR* title)
{
    return hwnd_ && SetWindowTextW(hwnd_, title ? title : L"") ? 1 : 0;
}

int AIWindow::GetTitle(AIString* title) const
{
    title->Clear();
    if (!hwnd_) return 0;
    title->AssignControlText(hwnd_);
    return 1;
}

int AIWindow::GetPlacement(WINDOWPLACEMENT* placement) const
{
    placement->length = sizeof(*placement);
    return hwnd_ && GetWindowPlacement(hwnd_, placement) ? 1 : 0;
}

int AIWindow::SetPlacement(const WINDOWPLACEMENT* placement)
{
    if (!hwnd_) return 0;
    WINDOWPLACEMENT copy = *placement;
    copy.length = sizeof(copy);
    return SetWindowPlacement(hwnd_, &copy) ? 1 : 0;
}

int AIWindow::MoveTo(int left, int top, int width, int height, int repaint)
{
    return hwnd_ && MoveWindow(hwnd_, left, top, width, height, repaint ? TRUE : FALSE) ? 1 : 0;
}

int AIWindow::ShowWith(int showCommand)
{
    if (!hwnd_) return 0;
    int hiding = showCommand == SW_HIDE || showCommand == SW_MINIMIZE ||
                 showCommand == SW_SHOWMINIMIZED || showCommand == SW_SHOWMINNOACTIVE ||
                 showCommand == SW_FORCEMINIMIZE;
    SendMessageW(hwnd_, hiding ? MsgBeforeHide : MsgBeforeShow, 1, 0);
    // The handler of the message may have destroyed the window.
    if (!hwnd_ || !IsWindow(hwnd_)) return 0;
    ShowWindow(hwnd_, showCommand);
    return 1;
}

int AIWindow::Show() { return ShowWith(SW_SHOW); }
int AIWindow::Hide() { return ShowWith(SW_HIDE); }
int AIWindow::Minimize() { return ShowWith(SW_MINIMIZE); }
int AIWindow::IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_) ? 1 : 0; }

void AIWindow::Invalidate()
{
    if (hwnd_) InvalidateRect(hwnd_, 0, FALSE);
}

void AIWindow::Update()
{
    if (hwnd_) UpdateWindow(hwnd_);
}

void AIWindow::SetRedraw(int on, int invalidate)
{
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on && invalidate) RedrawWindow(hwnd_, 0, 0, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void AIWindow::Focus()
{
    if (hwnd_) SetFocus(hwnd_);
}

void AIWindow::Destroy()
{
    HWND window = hwnd_;
    hwnd_ = 0;
    if (window && IsWindow(window)) DestroyWindow(window);
}

void AIWindow::Enable(int enabled)
{
    enabled_ = enabled ? 1 : 0;
    if (hwnd_) EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
}

int AIWindow::GetScreenRect(RECT* rect) const
{
    SetRectEmpty(rect);
    return hwnd_ && GetWindowRect(hwnd_, rect) ? 1 : 0;
}

void AIWindow::CenterOn(HWND parent)
{
    if (!hwnd_) return;
    RECT own, area;
    GetWindowRect(hwnd_, &own);
    if (!parent || !GetWindowRect(parent, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int left = area.left + ((area.right - area.left) - width) / 2;
    int top = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(hwnd_, 0, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int AIWindow::RunGuarded(int (*routine)(AIWindow* window))
{
    TRACE_SCOPE(kTraceWindow, 1);
    if (!routine) return 0;
    for (;;) {
        int result = routine(this);
        if (result) return result;
        if (ReportError(0, L"Error", L"A step of the program failed.") != IDYES) return result;
    }
}

LRESULT AIWindow::SendOrPostMessage(UINT message, WPARAM wParam, LPARAM lParam, int post)
{
    if (!hwnd_) return 0;
    if (post) return PostMessageW(hwnd_, message, wParam, lParam);
    return SendMessageW(hwnd_, message, wParam, lParam);
}

LRESULT AIWindow::SendMsg(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendOrPostMessage(message, wParam, lParam, 0);
}

BOOL PostMsg(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostMessageW(window, message, wParam, lParam);
}
