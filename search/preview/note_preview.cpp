#include "search/preview/note_preview.h"
#include "search/preview/preview_fill.h"
#include "foundation/ai_string.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"

int FillNotePreview(HWND pane, int32_t noteIndex, const WCHAR* head, int zoomPercent)
{
    if (!pane || noteIndex < 0 || noteIndex >= GetNoteCount()) return 0;
    AIString text;
    if (!ReadNoteText(noteIndex, text)) return 0;
    AIString title, shown;
    GetNoteTitle(noteIndex, title);
    ShownTitleForm(title.GetText(), shown);
    AIString all(head ? head : L"");
    all.AppendString(shown).AppendText(L"\r\n");
    all.AppendTextN(text.GetText(), FindLinkBlock(text.GetText(), text.GetLength()));
    ShowPreviewText(pane, all, zoomPercent);
    return 1;
}
