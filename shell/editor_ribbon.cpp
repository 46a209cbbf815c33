#include "shell/editor_ribbon.h"
#include "shell/commands.h"
#include "shell/frame_ribbon.h"
#include "shell/main_panel.h"
#include "editor/keys/ribbon_actions.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "foundation/ai_string.h"
#include "resources/resource_ids.h"

namespace {

struct EditingCommand {
    EditorRibbonControl control;
    UINT command;
};
// The four paragraph controls share the one heading control.
const EditingCommand kEditingCommands[] = {
    {kRibbonBold, IDM_EDIT_BOLD},           {kRibbonItalic, IDM_EDIT_ITALIC},
    {kRibbonStrike, IDM_EDIT_STRIKE},       {kRibbonHyperlink, IDM_EDIT_HYPERLINK},
    {kRibbonNormal, IDM_TOGGLE_HEADING},    {kRibbonHeadingSmall, IDM_TOGGLE_HEADING},
    {kRibbonHeadingAverage, IDM_TOGGLE_HEADING}, {kRibbonHeadingLarge, IDM_TOGGLE_HEADING},
    {kRibbonPaste, IDM_EDIT_PASTE},         {kRibbonCopy, IDM_EDIT_COPY},
    {kRibbonCut, IDM_EDIT_CUT},             {kRibbonUndo, IDM_EDIT_UNDO},
    {kRibbonRedo, IDM_EDIT_REDO},           {kRibbonInNoteSearch, IDM_INC_SEARCH},
};
// Controls that act on the editor and are off while QuickSearch has the focus.
const UINT kEditorOnlyCommands[] = {IDM_EDIT_BOLD, IDM_EDIT_ITALIC, IDM_EDIT_STRIKE, IDM_EDIT_HYPERLINK,
                                    IDM_TOGGLE_HEADING, IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE,
                                    IDM_EDIT_UNDO, IDM_EDIT_REDO, IDM_INC_SEARCH};
// The note's own controls.
const UINT kNoteCommands[] = {IDM_RENAME_NOTE, IDM_DELETE_NOTE};

LRESULT Run(EditorRibbonControl control)
{
    RunEditorRibbonControl(control);
    return 0;
}

int FileCanChange() { return IsDatafileLoaded() && !IsDatafileReadOnly(); }

}  // namespace

UINT RibbonCommandOf(EditorRibbonControl control)
{
    for (const EditingCommand& c : kEditingCommands)
        if (c.control == control) return c.command;
    return 0;
}

void SetRibbonControl(EditorRibbonControl control, int enabled, int pressed)
{
    UINT id = RibbonCommandOf(control);
    if (!id) return;
    // The one heading control is enabled wherever a paragraph may change.
    if (id == IDM_TOGGLE_HEADING) {
        if (control == kRibbonNormal) g_ribbon.SetControlEnabled(id, enabled);
        return;
    }
    // Each control draws itself again only when its state changes.
    g_ribbon.SetControlEnabled(id, enabled);
    g_ribbon.SetControlPressed(id, pressed);
}

const WCHAR* RibbonRefusalText(EditorRibbonControl control)
{
    static const WCHAR* const kHelp[kRibbonControlCount] = {
        L"<b>Bold</b> is not available here: headings, links and selections over several lines keep their format",
        L"<b>Italic</b> is not available here: headings, links and selections over several lines keep their format",
        L"<b>Strike-through</b> is not available here: headings and links cannot be struck out",
        L"<b>Hyperlink</b> is not available here: select text on one line that holds no link",
        L"", L"", L"", L"",
        L"<b>Paste</b> is not available here",
        L"<b>Copy</b>: select text first",
        L"<b>Copy plain text</b>: select text first",
        L"<b>Cut</b>: select text first",
        L"", L"", L"",
    };
    return control >= 0 && control < kRibbonControlCount ? kHelp[control] : L"";
}

void ShowRibbonHelp(EditorRibbonControl control) { SetStatusText(RibbonRefusalText(control), kStatusInfo); }

EditorRibbonControl EditorControlOfCommand(UINT command)
{
    for (const EditingCommand& c : kEditingCommands)
        if (c.command == command) return c.control;
    return kRibbonControlCount;
}

void ShowRibbonZoom(int32_t percent)
{
    AIControl* zoom = g_ribbon.FindControl(IDM_EDIT_ZOOM);
    if (!zoom) return;
    AIString text;
    text.AppendInt(percent).AppendText(L" %");
    zoom->SetText(text.GetText());
}

void RibbonForQuickSearch()
{
    for (UINT id : kEditorOnlyCommands) g_ribbon.SetControlEnabled(id, 0);
    for (UINT id : kNoteCommands) g_ribbon.SetControlEnabled(id, FileCanChange());
}

void RibbonForTypedTitle(int namesAnotherNote)
{
    for (UINT id : kNoteCommands) g_ribbon.SetControlEnabled(id, FileCanChange() && !namesAnotherNote);
}

LRESULT CmdEditBold(HWND, WPARAM, LPARAM) { return Run(kRibbonBold); }
LRESULT CmdEditItalic(HWND, WPARAM, LPARAM) { return Run(kRibbonItalic); }
LRESULT CmdEditStrike(HWND, WPARAM, LPARAM) { return Run(kRibbonStrike); }
LRESULT CmdEditHyperlink(HWND, WPARAM, LPARAM) { return Run(kRibbonHyperlink); }
LRESULT CmdEditCut(HWND, WPARAM, LPARAM) { return Run(kRibbonCut); }
LRESULT CmdEditCopy(HWND, WPARAM, LPARAM) { return Run(kRibbonCopy); }
LRESULT CmdEditPaste(HWND, WPARAM, LPARAM) { return Run(kRibbonPaste); }
LRESULT CmdEditUndo(HWND, WPARAM, LPARAM) { return Run(kRibbonUndo); }
LRESULT CmdEditRedo(HWND, WPARAM, LPARAM) { return Run(kRibbonRedo); }
LRESULT CmdEditZoom(HWND, WPARAM, LPARAM)
{
    ResetEditorZoom();
    return 0;
}
