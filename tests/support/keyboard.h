// Keys and the mouse as a person uses them, for tests that drive real windows.
//
// A key press is whole: the thread's key state changes as a keyboard's would
// (so GetKeyState answers as it does for typed keys), the key-down is posted
// to the window with the focus, the program's own loop handles it (its own
// keys, the accelerators, then TranslateMessage, which makes the WM_CHAR or
// WM_SYSCHAR a keyboard would give), and the key-up follows the same way.
// Everything goes through the thread's queue, so work a key posts runs before
// the next key, as it does when a person types.
#pragma once
#include "foundation/win.h"
#include "foundation/message_pump.h"
#include <functional>

enum KeyModifier { kNoModifier = 0, kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

class TestKeyboard {
public:
    // The loop's accelerators and frame; without them keys are translated
    // and dispatched as a plain modal loop does.
    TestKeyboard(HACCEL accelerators = nullptr, HWND frame = nullptr) : accelerators_(accelerators), frame_(frame) {}

    // One whole key (with its modifiers held around it) into the focus window.
    void Press(UINT vk, int modifiers = kNoModifier)
    {
        HoldModifiers(modifiers, true);
        Key(vk, true);
        Key(vk, false);
        HoldModifiers(modifiers, false);
    }
    // Each character typed as the US keyboard layout types it (Shift where
    // the layout needs it); '\n' presses Enter, '\b' Backspace, '\t' Tab.
    void Type(const WCHAR* text)
    {
        for (const WCHAR* p = text; *p; p++) {
            if (*p == L'\n') Press(VK_RETURN);
            else if (*p == L'\b') Press(VK_BACK);
            else if (*p == L'\t') Press(VK_TAB);
            else {
                SHORT scan = VkKeyScanW(*p);
                if (scan == -1) continue;
                Press(LOBYTE(scan), (HIBYTE(scan) & 1) ? kShiftKey : kNoModifier);
            }
        }
    }
    // A key held down (Ctrl for a hint, Shift for a preview) and let go.
    void Hold(UINT vk) { Key(vk, true); }
    void Release(UINT vk) { Key(vk, false); }

    // Pending messages handled as the loop that runs handles them: the main
    // loop's way, or, while a modal dialog has the focus, its own loop's
    // (each message offered to the dialog first: Enter, Escape and Tab).
    void Pump()
    {
        HWND dialog = ModalDialog();
        if (!dialog) {
            PumpMessagesAsMainLoop(accelerators_, frame_);
            return;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage((int)msg.wParam);
                return;
            }
            if (IsDialogMessageW(dialog, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Pumps until `done` answers true or `milliseconds` pass; the answer.
    bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000)
    {
        DWORD start = GetTickCount();
        for (;;) {
            Pump();
            if (done()) return true;
            if (GetTickCount() - start > milliseconds) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    // The pointer moved to a point of `window`'s client area, as a mouse
    // moves it: the cursor position changes and the window hears the move.
    void MoveMouse(HWND window, int x, int y)
    {
        POINT at = {x, y};
        ClientToScreen(window, &at);
        SetCursorPos(at.x, at.y);
        PostMessageW(window, WM_MOUSEMOVE, MouseKeys(), MAKELPARAM(x, y));
        Pump();
    }
    // A left click at a point of `window`'s client area, after moving there.
    void Click(HWND window, int x, int y)
    {
        MoveMouse(window, x, y);
        SetKey(VK_LBUTTON, true);
        PostMessageW(window, WM_LBUTTONDOWN, MouseKeys(), MAKELPARAM(x, y));
        Pump();
        SetKey(VK_LBUTTON, false);
        PostMessageW(window, WM_LBUTTONUP, MouseKeys(), MAKELPARAM(x, y));
        Pump();
    }

    // A double click: a click, then the second press as the system reports
    // it (a double-click message) and its release.
    void DoubleClick(HWND window, int x, int y)
    {
        Click(window, x, y);
        SetKey(VK_LBUTTON, true);
        PostMessageW(window, WM_LBUTTONDBLCLK, MouseKeys(), MAKELPARAM(x, y));
        Pump();
        SetKey(VK_LBUTTON, false);
        PostMessageW(window, WM_LBUTTONUP, MouseKeys(), MAKELPARAM(x, y));
        Pump();
    }

private:
    HACCEL accelerators_;
    HWND frame_;
    // Alt went down and no key since: only then is its release a system key
    // (after Alt+W the release of Alt comes as a plain key-up, as from a keyboard).
    bool altAlone_ = false;

    static void SetKey(UINT vk, bool down)
    {
        BYTE state[256];
        GetKeyboardState(state);
        state[vk] = down ? 0x80 : 0;
        // The generic modifier stands for its left key, as a keyboard's does.
        if (vk == VK_SHIFT) state[VK_LSHIFT] = state[vk];
        if (vk == VK_CONTROL) state[VK_LCONTROL] = state[vk];
        if (vk == VK_MENU) state[VK_LMENU] = state[vk];
        SetKeyboardState(state);
    }
    // The dialog holding the focus when it runs modally (its owner disabled).
    static HWND ModalDialog()
    {
        HWND focus = GetFocus();
        HWND root = focus ? GetAncestor(focus, GA_ROOT) : nullptr;
        if (!root) return nullptr;
        WCHAR name[16] = {0};
        GetClassNameW(root, name, 16);
        if (lstrcmpW(name, L"#32770") != 0) return nullptr;
        HWND owner = GetWindow(root, GW_OWNER);
        return owner && !IsWindowEnabled(owner) ? root : nullptr;
    }
    static bool IsDown(UINT vk) { return GetKeyState(vk) < 0; }
    static WPARAM MouseKeys()
    {
        WPARAM keys = 0;
        if (IsDown(VK_LBUTTON)) keys |= MK_LBUTTON;
        if (IsDown(VK_SHIFT)) keys |= MK_SHIFT;
        if (IsDown(VK_CONTROL)) keys |= MK_CONTROL;
        return keys;
    }
    static bool IsExtended(UINT vk)
    {
        switch (vk) {
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
        case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_DIVIDE:
            return true;
        default:
            return false;
        }
    }
    void HoldModifiers(int modifiers, bool down)
    {
        if (modifiers & kCtrlKey) Key(VK_CONTROL, down);
        if (modifiers & kAltKey) Key(VK_MENU, down);
        if (modifiers & kShiftKey) Key(VK_SHIFT, down);
    }
    void Key(UINT vk, bool down)
    {
        bool wasDown = IsDown(vk);
        SetKey(vk, down);
        // Alt without Ctrl makes system keys; F10 is one too.
        bool system = (IsDown(VK_MENU) && !IsDown(VK_CONTROL)) || vk == VK_F10 || (vk == VK_MENU && !IsDown(VK_CONTROL));
        if (vk == VK_MENU && down) altAlone_ = system;
        else if (vk == VK_MENU) system = system && altAlone_;
        else if (system) altAlone_ = false;
        UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        LPARAM param = 1 | ((LPARAM)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
        if (IsExtended(vk)) param |= (LPARAM)1 << 24;
        if (IsDown(VK_MENU)) param |= (LPARAM)1 << 29;
        if (!down || wasDown) param |= (LPARAM)1 << 30;
        if (!down) param |= (LPARAM)1 << 31;
        HWND target = GetFocus();
        if (!target) target = GetActiveWindow();
        if (target) PostMessageW(target, message, vk, param);
        Pump();
    }
};
