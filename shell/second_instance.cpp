// The single-instance hand-over, both sides (see second_instance.h).
#include "shell/second_instance.h"
#include "shell/command_line.h"
#include "shell/file_commands.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/shell_ids.h"
#include "dialogs/dialog_center.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "foundation/ai_string.h"
#include "foundation/trace.h"

// A path handed over and not opened yet (empty when none).
static AIString s_handedOverPath;

// Sends the running frame the full path of the data file named on the
// command line. 1 when it took it (or none was named).
static int HandOverDatafile(HWND other, const WCHAR* arguments)
{
    AIString named;
    if (!FindDatafileArgument(arguments, named)) return 1;
    WCHAR full[MAX_PATH];
    DWORD length = GetFullPathNameW(named.GetText(), MAX_PATH, full, nullptr);
    if (!length || length >= MAX_PATH) return 0;
    COPYDATASTRUCT data = {kCopyDataOpenDatafile, (DWORD)((length + 1) * sizeof(WCHAR)), full};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(other, WM_COPYDATA, 0, (LPARAM)&data, SMTO_ABORTIFHUNG, 5000, &answer))
        return 0;
    return answer == 1;
}

// Another instance holds the mutex: hand the start over to its frame. 1 when found.
static int HandOverToRunningInstance(const WCHAR* arguments)
{
    HWND other = FindWindowW(g_app.GetName(), nullptr);
    if (!other) return 0;
    int inFront = GetForegroundWindow() == other;
    if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
    DWORD process = 0;
    GetWindowThreadProcessId(other, &process);
    AllowSetForegroundWindow(process);
    SetForegroundWindow(other);
    BringWindowToTop(other);
    if (!HandOverDatafile(other, arguments)) {
        AIString text;
        text.AssignText(kProductName);
        text.AppendText(L" is already running, but could not open the data file named on the command line.");
        MessageBoxW(nullptr, text.GetText(), kProductName, MB_OK | MB_ICONWARNING);
    }
    PostMessageW(other, MsgStartedAgain, 0, 0);
    if (inFront) PostMessageW(other, WM_COMMAND, kCommandActivatedAgain, 0);
    return 1;
}

int ClaimOrHandOver(const WCHAR* arguments)
{
    TRACE_SCOPE(kTraceStartup, 1);
    if (g_app.ClaimSingleInstance()) return 1;
    // The other instance may still be creating its window: look a few times.
    for (int attempt = 0; attempt < 20; attempt++) {
        if (HandOverToRunningInstance(arguments)) return 0;
        Sleep(100);
    }
    AIString text;
    MakeAlreadyRunningText(kProductName, text);
    MessageBoxW(nullptr, text.GetText(), kProductName, MB_OK | MB_ICONWARNING);
    return 0;
}

void EndSingleInstance() { g_app.ReleaseSingleInstance(); }

LRESULT FrameOnStartedAgain(HWND frame, UINT, WPARAM, LPARAM)
{
    if (IsIconic(frame)) ShowWindow(frame, SW_RESTORE);
    SetForegroundWindow(frame);
    BringWindowToTop(frame);
    // Setting the focus afresh gives the window the display's focus again even
    // when the system believes it has it already.
    HWND focus = GetFocus();
    if (!focus || (focus != frame && !IsChild(frame, focus))) focus = frame;
    SetFocus(nullptr);
    SetFocus(focus);
    return 0;
}

LRESULT FrameOnCopyData(HWND, UINT, WPARAM, LPARAM lParam)
{
    const COPYDATASTRUCT* data = (const COPYDATASTRUCT*)lParam;
    if (!data || data->dwData != kCopyDataOpenDatafile || !data->lpData) return 0;
    int chars = (int)(data->cbData / sizeof(WCHAR));
    if (chars < 2 || chars > MAX_PATH) return 0;
    const WCHAR* path = (const WCHAR*)data->lpData;
    if (path[chars - 1] != 0) return 0;
    s_handedOverPath.AssignText(path);
    return 1;
}

void OpenHandedOverDatafile()
{
    if (s_handedOverPath.IsEmpty() || g_dialogCenter.IsDialogBusy()) return;
    AIString path(s_handedOverPath);
    s_handedOverPath.Clear();
    // The file shown already needs nothing more than the front.
    if (IsDatafileLoaded() && g_noteStore.datafilePath.EqualsTextNoCase(path.GetText())) return;
    OpenDatafile(path.GetText());
}
