#include "bench/bench_program.h"
#include "bench/bench_timing.h"
#include "foundation/app.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include <ole2.h>
#include <stdio.h>

HWND StartBenchProgram()
{
    g_app.Prepare(L"C:\\Tools\\TavikBench.exe", L"TavikBench.exe nohotkey");
    g_app.settings.WriteDefaults(1);
    LoadLibraryW(L"RICHED20.DLL");
    OleInitialize(0);
    HWND frame = CreateFrameWindow(GetModuleHandleW(0));
    if (!frame || !CreateContentWindow(frame)) {
        printf("no frame\n");
        return 0;
    }
    ShowWindow(frame, SW_SHOWNORMAL);
    Pump();
    return frame;
}
