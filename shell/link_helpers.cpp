#include "shell/link_helpers.h"
#include "shell/main_panel.h"
#include "editor/find/inc_search.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include <richedit.h>

int ResolveFileLink(const WCHAR* link, AIString& path)
{
    AIString text;
    text.AssignText(link);
    text.Trim();
    if (ResolveRelativePath(text.GetText(), path)) return 1;
    if (text.StartsWithNoCase(L"file:")) {
        path.AssignText(text.GetText() + 5);
        return 1;
    }
    path.Copy(text);
    return 0;
}

int ClassifyHyperlink(const WCHAR* link)
{
    AIString text;
    text.AssignText(link);
    text.Trim();
    if (text.IsEmpty()) return 0;
    if (text.StartsWithNoCase(L"http") || text.StartsWithNoCase(L"hyperlink:")) return 1;
    if (text.FindText(L"images") >= 0) return 1;
    if (text.EndsWithNoCase(L".png") || text.EndsWithNoCase(L".jpg")) return 1;
    return 0;
}

void ApplyEditorBackground()
{
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (!editor) return;
    COLORREF colour = (COLORREF)g_app.settings.Record().editorBackground;
    if (colour == 0) colour = RGB(255, 255, 255);
    if (g_mainPanel.incSearchOn) colour = RGB(255, 252, 235);
    SendMessageW(editor, EM_SETBKGNDCOLOR, 0, colour);
    ClearIncSearchColours();
}
