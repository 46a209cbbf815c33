// The picture a note names for QuickSearch: while the user types, the note
// shown can offer a picture of its own for the typed word (a link labelled
// with it), a "default" one, or the snapshot of its "web" page, shown as a
// timed thumbnail beside the note list.
#include "shell/image_preview_connection.h"
#include "shell/link_helpers.h"
#include "shell/main_panel.h"
#include "search/preview/preview_pane.h"
#include "editor/links/link_describe.h"
#include "notestore/note_store.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"

namespace {

const WCHAR kDefaultEntry[] = L"default";
const WCHAR kWebEntry[] = L"web";

int IsCursorOverNoteList()
{
    HWND list = g_mainPanel.noteList.GetHwnd();
    POINT cursor;
    RECT r;
    return list && IsWindowVisible(list) && GetCursorPos(&cursor) && GetWindowRect(list, &r) && PtInRect(&r, cursor);
}

int NamesPicture(const AIString& text)
{
    return text.FindTextNoCase(L".jpg") >= 0 || text.FindTextNoCase(L".png") >= 0;
}

// The value of the table's entry with this label; 0 when there is none.
int ValueOfLabel(const AIStringTable& table, const WCHAR* label, AIString& value)
{
    AIString key(label);
    LabelToTableKey(key);
    if (key.IsEmpty() || table.IndexOfKeyStringExact(key.GetText()) < 0) return 0;
    table.GetValueOfKeyString(key.GetText(), value);
    TableTextToShown(value);
    return 1;
}

}  // namespace

int ShowDefaultPreviewImage()
{
    const AIStringTable* links = g_noteStore.hyperlinks;
    RECT area;
    if (!links || links->GetCount() <= 0 || !g_app.settings.Record().instantPreview ||
        GetPreviewOrigin() != kOriginHover || !GetPreviewRectBesideList(&area) || IsCursorOverNoteList())
        return 0;
    int pictures = 0, web = 0;
    AIString value;
    for (int i = 0; i < links->GetCount(); i++) {
        links->GetValueAt(i, value);
        pictures |= NamesPicture(value);
        links->GetKeyAt(i, value);
        web |= value.FindTextNoCase(kWebEntry) >= 0;
    }
    if (pictures) {
        AIString typed;
        typed.AssignControlText(g_mainPanel.quickSearch.GetHwnd());
        typed.Trim();
        if (!ValueOfLabel(*links, typed.GetText(), value) && !ValueOfLabel(*links, kDefaultEntry, value)) {
            links->GetValueAt(0, value);
            TableTextToShown(value);
        }
        AIString path;
        if (!NamesPicture(value)) return 0;
        ResolveFileLink(value.GetText(), path);
        if (path.IsEmpty()) return 0;
        PreviewImageUnderCursor(path.GetText(), 1, kThumbnailSmall, kThumbnailBesideList);
        return 1;
    }
    if (!web || !ValueOfLabel(*links, kWebEntry, value)) return 0;
    int colon = value.FindChar(L':');
    if (colon >= 0) value.DeleteRange(0, colon + 1);
    PreviewImageUnderCursor(value.GetText(), 1, kThumbnailScreen, kThumbnailBesideList);
    return 1;
}
