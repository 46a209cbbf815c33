#include "tests/dialogs/note_dialog_answer.h"
#include "dialogs/modal_backdrop.h"
#include "editor/dialogs/note_dialog.h"

NoteDialogScript g_noteScript;

namespace {

void CALLBACK AnswerNoteDialog(HWND, UINT, UINT_PTR, DWORD)
{
    NoteDialogScript& s = g_noteScript;
    HWND dialog = GetNoteDialogWindow();
    if (!dialog || s.done >= s.count) return;
    HWND field = GetNoteDialogTitleField();
    HWND link = GetNoteDialogLinkField();
    if (s.done == 0) {
        if (field) s.offered.AssignControlText(field);
        if (link) s.offeredLink.AssignControlText(link);
        s.openingCode = GetNoteDialogCode();
    }
    const NoteDialogStep& step = s.steps[s.done];
    if (step.title && field) SetWindowTextW(field, step.title);
    if (step.link && link) SetWindowTextW(link, step.link);
    SendMessageW(dialog, WM_COMMAND, step.command, 0);
    int i = s.done++;
    if (GetNoteDialogWindow()) {
        s.codes[i] = GetNoteDialogCode();
        s.messages[i].AssignText(GetNoteDialogMessageText());
        DWORD from = 0, to = 0;
        if (GetFocus()) SendMessageW(GetFocus(), EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        s.selectionStart[i] = (int)from;
    } else {
        s.codes[i] = kDialogEnded;
    }
}

}  // namespace

int RunAnsweredSteps(int (*command)(), const NoteDialogStep* steps, int count, int waitForBackdrop)
{
    g_noteScript = NoteDialogScript();
    g_noteScript.steps = steps;
    g_noteScript.count = count < kMaxNoteDialogSteps ? count : kMaxNoteDialogSteps;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, AnswerNoteDialog);
    int result = command();
    KillTimer(nullptr, timer);
    // The backdrop fades back on its own timer: wait until it is gone.
    for (DWORD until = GetTickCount() + 3000; waitForBackdrop && GetBackdropWindow() && (int)(until - GetTickCount()) > 0;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
    return result;
}
