// Keeping the hyperlink table in step with the note's text.
#include "editor/links/link_table_upkeep.h"
#include "editor/links/link_describe.h"
#include "editor/keys/note_editor.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"

namespace {

// 1 when text holds "[label]" for a table key (":" held as U+00B1).
int HoldsLabel(const AIString& text, const AIString& key)
{
    AIString label(L"[");
    AIString shown(key);
    shown.ReplaceAll(L"\x00B1", L":");
    label.AppendString(shown).AppendChar(L']');
    return text.FindText(label.GetText()) >= 0;  // keys are kept in lower case
}

int MoveEntries(const WCHAR* text, AIStringTable& from, AIStringTable& to, int wantHeld)
{
    AIString body(text ? text : L"");
    int moved = 0;
    for (int i = from.GetCount() - 1; i >= 0; i--) {
        AIString key, value;
        from.GetKeyAt(i, key);
        if (HoldsLabel(body, key) != wantHeld) continue;
        from.GetValueOfKeyString(key.GetText(), value);
        to.SetKeyValueString(key.GetText(), value.GetText());
        from.RemoveKeyString(key.GetText());
        moved++;
    }
    return moved;
}

AIStringTable s_kept(1);
AIString s_keptTitle;

int EditorText(AIString& text)
{
    AIControl* editor = GetNoteEditor();
    AITextDocument* doc = editor ? editor->GetDocument() : nullptr;
    if (!doc || !g_noteStore.hyperlinks) return 0;
    doc->GetRangeText(0, -1, &text);
    if (!s_keptTitle.EqualsString(g_noteStore.currentTitle)) {
        s_kept.Clear();
        s_keptTitle.Copy(g_noteStore.currentTitle);
    }
    return 1;
}

}  // namespace

int DropLinksNotInText(const WCHAR* text, AIStringTable& links, AIStringTable& kept)
{
    return MoveEntries(text, links, kept, 0);
}

int RestoreLinksInText(const WCHAR* text, AIStringTable& links, AIStringTable& kept)
{
    return MoveEntries(text, kept, links, 1);
}

void DropGoneHyperlinks()
{
    AIString text;
    if (EditorText(text)) DropLinksNotInText(text.GetText(), *g_noteStore.hyperlinks, s_kept);
}

void RestoreReturnedHyperlinks()
{
    AIString text;
    if (EditorText(text) && s_kept.GetCount() > 0) RestoreLinksInText(text.GetText(), *g_noteStore.hyperlinks, s_kept);
}
