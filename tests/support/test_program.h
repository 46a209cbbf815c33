// The program's own frame and content window for the test programs that
// drive the real editor and panels: made once per test program, under the
// given executable name (which names the registry key and the window class).
#pragma once
#include "foundation/win.h"
#include "foundation/app.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include <ole2.h>

// The frame, or null when it could not be made; shown when `show` is set.
inline HWND StartTestProgram(const WCHAR* exePath, const WCHAR* commandLine, int show)
{
    static HWND frame = nullptr;
    if (frame) return frame;
    g_app.Prepare(exePath, commandLine);
    g_app.settings.WriteDefaults(1);
    LoadLibraryW(L"RICHED20.DLL");
    OleInitialize(nullptr);
    frame = CreateFrameWindow(GetModuleHandleW(nullptr));
    if (frame && !CreateContentWindow(frame)) frame = nullptr;
    if (frame && show) ShowWindow(frame, SW_SHOW);
    return frame;
}
