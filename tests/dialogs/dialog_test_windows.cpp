#include "tests/dialogs/dialog_test_windows.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/message_box.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screen_launchers.h"
#include "foundation/app.h"

DialogTestWindows g_testWindows;

namespace {

int g_clockRunning = 0;
int64_t g_clockNow = 0;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        g_testWindows.lastFrameCommand = LOWORD(wParam);
        g_testWindows.frameCommands++;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RecordStatus(const WCHAR* text, StatusLevel)
{
    g_testWindows.statusText.AssignText(text);
    g_testWindows.statusCalls++;
}

void RecordPicture(int32_t code) { g_testWindows.statusPicture = code; }
void RecordCurrentNote(int32_t index) { g_testWindows.currentNoteSet = index; }
int RecordRefresh()
{
    g_testWindows.refreshes++;
    return 1;
}
int RecordOpen(const WCHAR* path)
{
    g_testWindows.openedPath.AssignText(path);
    return g_testWindows.openAnswer;
}

void DrivenStart(HWND, UINT_PTR, UINT) { g_clockRunning = 1; }
void DrivenStop(HWND, UINT_PTR) { g_clockRunning = 0; }
int64_t DrivenNow() { return g_clockNow; }

void CreateWindowsOnce()
{
    if (g_testWindows.frame) return;
    WNDCLASSW frameClass = {};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleW(0);
    frameClass.lpszClassName = L"DialogTestFrame";
    frameClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassW(&frameClass);
    g_testWindows.frame = CreateWindowExW(0, L"DialogTestFrame", L"Tavik", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                          100, 800, 600, 0, 0, GetModuleHandleW(0), 0);
    g_testWindows.content = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 780, 560,
                                            g_testWindows.frame, 0, GetModuleHandleW(0), 0);
}

}  // namespace

void ResetDialogTestState()
{
    CreateWindowsOnce();
    UseDrivenClock();
    if (g_messageBox.box) CloseMessageBox(-2);
    DestroyDialogWindows();
    PumpFor(0);

    g_app.SetMainWindow(g_testWindows.frame);
    g_app.SetRunState(kRunRunning);
    g_app.SetGuardFlag(1);
    g_app.SetActiveWindowId(100);
    SettingsSetDefaults(g_app.settings.Record(), g_app.system.IsWine());

    g_dialogShell.frame = g_testWindows.frame;
    g_dialogShell.content = g_testWindows.content;
    g_dialogShell.setStatusText = RecordStatus;
    g_dialogShell.setStatusPicture = RecordPicture;
    g_dialogShell.setCurrentNote = RecordCurrentNote;
    g_dialogShell.refreshDatafile = RecordRefresh;
    g_dialogShell.openDatafile = RecordOpen;

    DialogCenter& c = g_dialogCenter;
    c.busy = 0;
    c.kind = 0;
    c.messageId = 0;
    c.result = -1;
    c.done = 0;
    c.noteDialogAnswer = 0;
    c.messageModeFlag = 1;
    c.messageText1.Clear();
    c.messageText2.Clear();
    c.messageText3.Clear();
    c.noteDialogCallback = 0;
    c.screenCallback = RequestDialogScreen;
    c.messageBoxCallback = RefreshMessageBox;
    g_messageBox.catalogue.lastId = 0;
    g_messageBox.catalogue.pageCounter = 0;
    DialogState = 0;
    DialogOpenCount = 0;
    g_dialogHostReceiver = 0;
    g_noteDialogReceiver = 0;
    g_errorDetailsReceiver = 0;
    g_screenAvailable = 0;

    g_testWindows.statusText.Clear();
    g_testWindows.statusPicture = -1;
    g_testWindows.statusCalls = 0;
    g_testWindows.lastFrameCommand = 0;
    g_testWindows.frameCommands = 0;
    g_testWindows.currentNoteSet = -99;
    g_testWindows.refreshes = 0;
    g_testWindows.openedPath.Clear();
    g_testWindows.openAnswer = 1;
    EnableWindow(g_testWindows.frame, TRUE);
}

void PumpFor(int milliseconds)
{
    DWORD end = GetTickCount() + (DWORD)milliseconds;
    do {
        MSG msg;
        while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (milliseconds) Sleep(5);
    } while ((int)(GetTickCount() - end) < 0);
}

int PumpUntil(int (*cond)(), int milliseconds)
{
    DWORD end = GetTickCount() + (DWORD)milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (cond()) return 1;
        if ((int)(GetTickCount() - end) >= 0) return 0;
        Sleep(5);
    }
}

void UseDrivenClock()
{
    static const MessageBoxClock driven = {DrivenStart, DrivenStop, DrivenNow};
    SetMessageBoxClock(&driven);
}

int DrivenClockRunning() { return g_clockRunning; }

int TickMessageBox(int n)
{
    int sent = 0;
    for (; sent < n && g_messageBox.box; sent++) {
        g_clockNow += kMessageBoxTickMs;
        SendMessageW(g_messageBox.box, WM_TIMER, kMessageBoxTimer, 0);
    }
    return sent;
}

int SendTickBurst(int n)
{
    int sent = 0;
    for (; sent < n && g_messageBox.box; sent++) SendMessageW(g_messageBox.box, WM_TIMER, kMessageBoxTimer, 0);
    return sent;
}
