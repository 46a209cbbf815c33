// The start-up benchmark's comparisons: the smallest Winelib program that
// shows a window with a title like the program's, so that the benchmark can
// tell what the program adds to Wine's own start; with the argument "editor"
// the window also holds a rich edit showing a line of text (OLE started and
// the rich edit library loaded, as every note editor here needs).
#include "foundation/win.h"
#include <ole2.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    bool editor = commandLine && commandLine[0] == L'e';
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MinimalWindow";
    RegisterClassW(&windowClass);
    if (editor && (!LoadLibraryW(L"RICHED20.DLL") || FAILED(OleInitialize(nullptr)))) return 1;
    HWND window = CreateWindowW(L"MinimalWindow", editor ? L"Tavik - minimal editor" : L"Tavik - minimal",
                                WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    if (editor && !CreateWindowExW(0, L"RichEdit20W", L"A line of text in the rich edit.",
                                   WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 0, 0, 620, 440, window, nullptr,
                                   instance, nullptr))
        return 1;
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
