// The whole program with one fault added: a timer of the message loop writes
// through a null pointer once the frame has shown. The end-to-end test checks
// that the start has installed the crash reporter: the dump file lands in the
// documents folder and the process ends with exit code 1.
#include "foundation/win.h"
#include "shell/startup.h"

// The timer stays: were it to fire while the report is shown, it would fault again.
static void CALLBACK WriteThroughNull(HWND, UINT, UINT_PTR, DWORD)
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    // A thread timer: it fires in the program's own message loop.
    SetTimer(nullptr, 0, 1000, WriteThroughNull);
    return RunApplication(instance, commandLine, showCommand);
}
