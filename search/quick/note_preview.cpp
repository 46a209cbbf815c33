#include "search/quick/note_preview.h"
#include "foundation/ai_string.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"
#include <richedit.h>

int FillNotePreview(HWND pane, int32_t noteIndex, const WCHAR* head)
{
    if (!pane || noteIndex < 0 || noteIndex >= GetNoteCount()) return 0;
    // Reading a note goes through the current-note text: keep the current note's.
    AIString kept;
    kept.Copy(g_noteStore.currentText);
    int ok = LoadNoteText(noteIndex, 0);
    AIString body;
    if (ok) {
        const AIString& text = g_noteStore.currentText;
        body.AssignTextN(text.GetText(), FindLinkBlock(text.GetText(), text.GetLength()));
    }
    g_noteStore.currentText.Copy(kept);
    if (!ok) return 0;
    AIString title, shown;
    GetNoteTitle(noteIndex, title);
    ShownTitleForm(title.GetText(), shown);
    AIString all(head ? head : L"");
    all.AppendString(shown).AppendText(L"\r\n").AppendString(body);
    SendMessageW(pane, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(pane, all.GetText());
    SendMessageW(pane, EM_EMPTYUNDOBUFFER, 0, 0);
    CHARFORMAT2W bold = {};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    int32_t headLength = TextLength(head ? head : L"") + shown.GetLength();
    CHARRANGE line = {0, headLength};
    SendMessageW(pane, EM_EXSETSEL, 0, (LPARAM)&line);
    SendMessageW(pane, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&bold);
    CHARRANGE start = {0, 0};
    SendMessageW(pane, EM_EXSETSEL, 0, (LPARAM)&start);
    SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(pane, nullptr, TRUE);
    return 1;
}
