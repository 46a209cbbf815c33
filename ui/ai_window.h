// AIWindow: the object behind every top-level and panel window. Global
// objects, constructed before WinMain; no virtual operations. Window
// procedures are table-driven (ui/window_table.h).
#pragma once
#include "foundation/win.h"

class AIString;

class AIWindow {
public:
    explicit AIWindow(int windowId);

    int GetWindowId() const { return windowId_; }
    HWND GetHwndField() const { return hwnd_; }
    // Adopts a window created elsewhere (0 forgets it).
    void SetHwndField(HWND window) { hwnd_ = window; }

    // Registers a window class with the program's icon (0 for none); returns
    // the atom, or the existing class's atom when it is registered already.
    static ATOM RegisterClassWithIcon(const WCHAR* className, WNDPROC procedure, int iconId);

    // CreateWindowExW; a failure asks AskRetryOutOfResources and tries again
    // while the answer is yes. Returns the handle, 0 on failure.
    HWND Create(DWORD exStyle, const WCHAR* className, const WCHAR* title, DWORD style,
                int left, int top, int width, int height, HWND parent, HMENU menu, void* param);

    int SetTitle(const WCHAR* title);
    int GetTitle(AIString* title) const;

    // Placement: normal position, show state, minimised and maximised points.
    int GetPlacement(WINDOWPLACEMENT* placement) const;
    int SetPlacement(const WINDOWPLACEMENT* placement);
    int MoveTo(int left, int top, int width, int height, int repaint);

    // Show and hide send MsgBeforeShow / MsgBeforeHide (wParam 1) to the
    // window first. ShowWith picks the message from the show command.
    int Show();
    int Hide();
    int Minimize();
    int ShowWith(int showCommand);
    int IsVisible() const;

    void Invalidate();
    void Update();
    // WM_SETREDRAW; invalidate 1 also repaints everything when switched on.
    void SetRedraw(int on, int invalidate);
    void Focus();
    // DestroyWindow when the window exists, then forgets the handle.
    void Destroy();

    // EnableWindow and remembers the flag (GetStateFlagA reads it back).
    void Enable(int enabled);
    int GetStateFlagA() const { return enabled_; }

    int GetScreenRect(RECT* rect) const;
    int QueryWindowRect(RECT* rect) const { return GetScreenRect(rect); }
    // Centres on the parent's window rectangle, or on the work area without one.
    void CenterOn(HWND parent);

    // Runs the routine (1 success, 0 failure); a failure asks the Retry/Abort
    // question and runs it again on Retry. Returns the routine's last result.
    int RunGuarded(int (*routine)(AIWindow* window));

    // post 0 sends, 1 posts; without a window nothing happens and 0 comes back.
    LRESULT SendOrPostMessage(UINT message, WPARAM wParam, LPARAM lParam, int post);
    LRESULT SendMsg(UINT message, WPARAM wParam, LPARAM lParam);

private:
    int windowId_;
    HWND hwnd_;
    int enabled_;
};

// PostMessageW with the window given: the plain form callers use between windows.
BOOL PostMsg(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
