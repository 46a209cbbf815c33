#include "shell/status_texts.h"
#include "foundation/text_markup.h"
#include "notestore/datafile_format.h"

void AppendOutsideText(AIString& markup, const WCHAR* text)
{
    TextMarkup::Escape(text ? text : L"", markup);
}

void ComposeShownNoteStatus(const WCHAR* title, int32_t noteCount, AIString& out)
{
    AIString shown;
    ShownTitleForm(title ? title : L"", shown);
    out.AssignText(L"<b>");
    AppendOutsideText(out, shown.GetText());
    out.AppendText(L"</b> - ");
    out.AppendInt(noteCount);
    out.AppendText(noteCount == 1 ? L" note" : L" notes");
}

void ComposeOpenFailedStatus(const WCHAR* path, AIString& out)
{
    out.AssignText(L"<lred>Could not open</lred> ");
    AppendOutsideText(out, path);
}
