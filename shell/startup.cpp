#include "shell/startup.h"
#include "resources/resource_ids.h"

static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        HWND panel = FindWindowExW(window, nullptr, L"winMain", nullptr);
        if (panel) MoveWindow(panel, 0, 60, LOWORD(lParam), HIWORD(lParam) > 60 ? HIWORD(lParam) - 60 : 0, TRUE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunApplication(HINSTANCE instance, const WCHAR*, int showCommand)
{
    WNDCLASSEXW frameClass = {};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TAVIK));
    frameClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    frameClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frameClass.lpszClassName = L"Tavik";
    RegisterClassExW(&frameClass);

    WNDCLASSEXW panelClass = frameClass;
    panelClass.lpfnWndProc = DefWindowProcW;
    panelClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    panelClass.lpszClassName = L"winMain";
    RegisterClassExW(&panelClass);

    HWND frame = CreateWindowExW(0, L"Tavik", L"Tavik", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 CW_USEDEFAULT, CW_USEDEFAULT, 900, 640, nullptr, nullptr, instance, nullptr);
    if (!frame) return 1;
    CreateWindowExW(0, L"winMain", L"", WS_CHILD | WS_VISIBLE, 0, 60, 900, 580, frame, nullptr, instance, nullptr);
    ShowWindow(frame, showCommand);
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorW(frame, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
