// Enter and Tab through the list rules, on the note editor's text.
#include "editor/format/list_keys.h"
#include "editor/format/list_rules.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/note_editor.h"
#include "foundation/ai_string.h"
#include "foundation/message_ids.h"
#include "ui/ai_control.h"

namespace {

// The editor's text and selection; 0 when there is no editor.
int ReadTextAndSelection(AIString& text, CHARRANGE& selection)
{
    AITextDocument* doc = g_noteEditor.control ? g_noteEditor.control->GetDocument() : 0;
    if (!doc) return 0;
    doc->GetRangeText(0, -1, &text);
    ReadEditorSelection(&selection);
    return 1;
}

void Apply(const TextEdit& edit)
{
    ReplaceNoteText(edit.start, edit.end, edit.text.GetText(), edit.caret, edit.selEnd);
}

}  // namespace

ListKeyResult HandleEnterKey()
{
    AIString text;
    CHARRANGE s;
    if (!ReadTextAndSelection(text, s)) return kListKeyPassOn;
    TextEdit edit;
    switch (DecideEnter(text.GetText(), text.GetLength(), s.cpMin, s.cpMax, &edit)) {
    case kEnterNothing: return kListKeyHandled;
    case kEnterReplace: Apply(edit); return kListKeyHandled;
    default: return kListKeyPassOn;
    }
}

ListKeyResult HandleTabKey(int outdent)
{
    AIString text;
    CHARRANGE s;
    if (!ReadTextAndSelection(text, s)) return kListKeyPassOn;
    TextEdit edit;
    switch (DecideIndent(text.GetText(), text.GetLength(), s.cpMin, s.cpMax, outdent, &edit)) {
    case kIndentNothing: return kListKeyHandled;
    case kIndentTooManyLines: EditorMessage(kMsgTabSelectionTooLong); return kListKeyHandled;
    case kIndentReplace: Apply(edit); return kListKeyHandled;
    default: return kListKeyPassOn;
    }
}
