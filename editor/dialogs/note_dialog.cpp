// The note dialogs' window: the dialog procedure over template 217, its
// fields and buttons, its painting and each kind's accept rules.
#include "editor/dialogs/note_dialog.h"
#include "editor/dialogs/note_title_rules.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screen_frame.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "foundation/message_pump.h"
#include "foundation/misc_services.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/common_dialogs.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"
#include "ui/ai_control.h"
#include "ui/app_state.h"
#include "ui/colours.h"
#include <windowsx.h>

namespace {

enum {
    kNoteDialogWindowId = 300,
    kTitleLimit = 30,
    kLinkLimit = 250,
    kFieldHeight = 22,
    kButtonHeight = 28,
    kMargin = 16,
    kTitleStripHeight = 40,
    kExtraTextTop = 30,  // the caller's note under the prompt
    kHelpWidth = 50,
    kHelpShownWidth = 130,
};

struct NoteDialogState {
    HWND window;
    HWND owner;
    HWND titleField;
    HWND linkField;
    uint32_t kind;
    int width, height;
    int code;
    int helpShown;
    int noteMatch;
    int dragging;
    POINT pressAt;
    int32_t savedWindowId;
    int ran;
    int closing;  // the dialog has ended and only waits for its window to go
    AIString openedTitle;  // rename and hyperlink: the title the dialog opened with
    AIControl ok, cancel, remove, browse, help;
};
NoteDialogState g_note;
HFONT g_fieldFont = 0;
HBRUSH g_focusBrush = 0;
const COLORREF kFocusFill = RGB(255, 250, 225);
const COLORREF kWarning = RGB(200, 30, 30);
WNDPROC g_editProc = 0;

int IsHyperlink() { return g_note.kind == kDialogHyperlink; }
// A link the dialog makes rather than edits (a label it is given must not be taken yet).
int IsNewLink()
{
    return g_dialogCenter.linkOption == kLinkOptionNew ||
           (g_dialogCenter.linkLabel.IsEmpty() && g_dialogCenter.linkTarget.IsEmpty());
}
int IsTitleKind() { return g_note.kind == kDialogRename || g_note.kind == kDialogNewNote; }

void FieldText(HWND field, AIString& out)
{
    out.Clear();
    if (field) out.AssignControlText(field);
}

AIControl* Buttons(int i)
{
    AIControl* all[5] = {&g_note.ok, &g_note.cancel, &g_note.remove, &g_note.browse, &g_note.help};
    return all[i];
}

void ShowCode(int code, HWND field, int selectFrom = -1, int selectTo = -1)
{
    g_note.code = code;
    if (field) {
        SetFocus(field);
        if (selectFrom >= 0) SendMessageW(field, EM_SETSEL, selectFrom, selectTo);
    }
    InvalidateRect(g_note.window, 0, FALSE);
}

void CloseNoteDialog(int result)
{
    if (GetKeyState(VK_CAPITAL) & 1) SendKeyStroke(VK_CAPITAL);
    if (GetCapture() == g_note.window) ReleaseCapture();
    if (g_note.titleField) ShowWindow(g_note.titleField, SW_HIDE);
    if (g_note.linkField) ShowWindow(g_note.linkField, SW_HIDE);
    DialogState = kDialogClosing;
    g_note.closing = 1;
    g_app.SetActiveWindowId(g_note.savedWindowId);
    EndDialog(g_note.window, result);
}

// Checks a title field with the character rules; 0 and the code shown when refused.
int CheckTitleCharacters(const WCHAR* title, HWND field, int blanksAllowed, int parenthesesAndDashAllowed)
{
    if (!title || !title[0]) return 0;
    int code = 0;
    int at = FindForbiddenTitleChar(title, blanksAllowed, parenthesesAndDashAllowed, &code);
    if (at < 0) return 1;
    ShowCode(code, field, at, at + 1);
    return 0;
}

int NoteExists(const WCHAR* title)
{
    AIString stored;
    NormaliseTitle(title, stored);
    return !stored.IsEmpty() && FindNoteByTitle(stored.GetText(), 0, 0) >= 0;
}

void AcceptRename()
{
    AIString typed;
    FieldText(g_note.titleField, typed);
    typed.ReplaceAll(L"_", L" ", 1);
    typed.Trim();
    AIString original;
    ShownTitleForm(g_note.openedTitle.GetText(), original);
    if (typed.EqualsString(original)) {
        CloseNoteDialog(kNoteDialogCancelled);
        return;
    }
    if (!typed.EqualsTextNoCase(original.GetText())) {
        if (typed.IsEmpty()) return ShowCode(kCodeEmpty, g_note.titleField);
        // The store and the file system take titles without regard to case.
        if (NoteExists(typed.GetText())) return ShowCode(kCodeInUse, g_note.titleField, 0, -1);
        if (!CheckTitleCharacters(typed.GetText(), g_note.titleField, 1, 0)) return;
    }
    NormaliseTitle(typed.GetText(), g_dialogCenter.editedValue);
    CloseNoteDialog(kNoteDialogAccepted);
}

void AcceptNewNote()
{
    AIString typed;
    FieldText(g_note.titleField, typed);
    typed.Trim();
    if (typed.IsEmpty()) return ShowCode(kCodeEmpty, g_note.titleField);
    if (!CheckTitleCharacters(typed.GetText(), g_note.titleField, 1, 0)) return;
    if (NoteExists(typed.GetText())) return ShowCode(kCodeInUse, g_note.titleField, 0, -1);
    int position = 0;
    if (FindShortWord(typed.GetText(), &position) >= 0)
        return ShowCode(kCodeShortWord, g_note.titleField, position, position + 1);
    NormaliseTitle(typed.GetText(), g_dialogCenter.editedValue);
    CloseNoteDialog(kNoteDialogAccepted);
}

// 1 when another link of the note has the label; one with the same target
// (a file pasted twice) is the same link and does not count.
int LabelExists(const WCHAR* label, const AIString& target)
{
    AIStringTable* links = g_noteStore.hyperlinks;
    if (!links) return 0;
    AIString key(label);
    key.ReplaceAll(L":", L"\x00B1", 1);
    if (links->IndexOfKeyString(key.GetText()) < 0) return 0;
    AIString present;
    links->GetValueOfKeyString(key.GetText(), present);
    return !present.EqualsString(target);
}

void AcceptHyperlink()
{
    AIString title, link;
    FieldText(g_note.titleField, title);
    FieldText(g_note.linkField, link);
    title.Trim();
    link.ReplaceAll(L",", L"\x2026", 1);
    int isNew = IsNewLink();
    if (!isNew && title.EqualsString(g_dialogCenter.linkLabel) && link.EqualsString(g_dialogCenter.linkTarget)) {
        CloseNoteDialog(kNoteDialogAccepted);  // the same link is written again
        return;
    }
    if (!title.IsEmpty()) {
        if (!CheckTitleCharacters(title.GetText(), g_note.titleField, 1, 1)) return;
        int changed = !title.EqualsTextNoCase(g_note.openedTitle.GetText());
        if ((isNew || changed) && LabelExists(title.GetText(), link)) return ShowCode(kCodeLabelExists, g_note.titleField);
    }
    AIString dataFolder(GetDataFolder());
    LinkRules rules = {dataFolder.GetText(), NoteExists};
    AIString target;
    int code = NormaliseLinkTarget(title.GetText(), link.GetText(), rules, target);
    if (code != kCodeNone) return ShowCode(code, code == kCodeInUse ? g_note.titleField : g_note.linkField);
    g_dialogCenter.linkLabel.Copy(title);
    target.RemoveChars(L"\x00BD\x00A4");
    target.Trim();
    g_dialogCenter.linkTarget.Copy(target);
    CloseNoteDialog(kNoteDialogAccepted);
}

void Accept()
{
    if (g_note.kind == kDialogRename) AcceptRename();
    else if (g_note.kind == kDialogNewNote) AcceptNewNote();
    else if (IsHyperlink()) AcceptHyperlink();
    else CloseNoteDialog(kNoteDialogAccepted);
}

void RemoveLink()
{
    AIString title;
    FieldText(g_note.titleField, title);
    g_dialogCenter.linkLabel.Copy(title);
    g_dialogCenter.linkTarget.Clear();
    CloseNoteDialog(kNoteDialogLinkRemoved);
}

void BrowseForFile()
{
    WCHAR path[MAX_PATH] = L"";
    AIString folder(GetDataFolder());
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = g_note.window;
    ofn.lpstrFilter = L"All files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Choose file to link to";
    ofn.lpstrInitialDir = folder.GetText();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    if (!ShowOpenFileDialog(&ofn)) return;
    AIString link(L"file:");
    link.AppendText(path);
    SetWindowTextW(g_note.linkField, link.GetText());
    if (g_note.code == kCodeEmpty) g_note.code = kCodeNone;
    InvalidateRect(g_note.window, 0, FALSE);
}

void ShowFieldsAndButtons(int show)
{
    int command = show ? SW_SHOW : SW_HIDE;
    if (g_note.titleField && g_dialogCenter.kind != kDialogPrompt) ShowWindow(g_note.titleField, command);
    if (g_note.linkField && IsHyperlink()) ShowWindow(g_note.linkField, command);
    for (int i = 0; i < 4; i++) {
        AIControl* b = Buttons(i);
        if (!show) b->Hide();
    }
    if (show) {
        g_note.ok.Show();
        g_note.cancel.Show();
        if (IsHyperlink()) {
            g_note.remove.Show();
            g_note.browse.Show();
        }
    }
}

void LayOut();

void ToggleHelp()
{
    g_note.helpShown = !g_note.helpShown;
    g_note.help.SetText(g_note.helpShown ? L"(Click to hide help)" : L"Help");
    LayOut();
    ShowFieldsAndButtons(!g_note.helpShown);
    if (!g_note.helpShown && g_note.titleField && IsWindowVisible(g_note.titleField)) SetFocus(g_note.titleField);
    InvalidateRect(g_note.window, 0, FALSE);
}

// ---- Layout and painting ----

void LayOut()
{
    int w = g_note.width, h = g_note.height;
    int fieldsTop = IsHyperlink() ? 118 : 132;
    int buttonsTop = h - kButtonHeight - 30;
    g_note.ok.SetPosition(w - kMargin - 110, buttonsTop, w - kMargin, buttonsTop + kButtonHeight);
    g_note.cancel.SetPosition(w - kMargin - 225, buttonsTop, w - kMargin - 115, buttonsTop + kButtonHeight);
    g_note.remove.SetPosition(kMargin, buttonsTop, kMargin + 80, buttonsTop + kButtonHeight);
    g_note.help.SetPosition(kMargin, h - 24, kMargin + (g_note.helpShown ? kHelpShownWidth : kHelpWidth), h - 4);
    if (g_note.titleField)
        MoveWindow(g_note.titleField, kMargin, fieldsTop, w - 2 * kMargin, kFieldHeight, FALSE);
    if (g_note.linkField) {
        int linkTop = fieldsTop + 58;
        MoveWindow(g_note.linkField, kMargin, linkTop, w - 2 * kMargin - 40, kFieldHeight, FALSE);
        g_note.browse.SetPosition(w - kMargin - 34, linkTop - 2, w - kMargin, linkTop + kFieldHeight + 2);
    }
}

const WCHAR* Heading()
{
    switch (g_note.kind) {
    case kDialogHyperlink:
        if (g_dialogCenter.linkMode == -100) return L"Link to file";
        if (g_dialogCenter.copyFileFlag) return L"Insert file";
        return IsNewLink() ? L"Create Hyperlink" : L"Edit Hyperlink";
    case kDialogRename: return L"Rename note";
    case kDialogNewNote: return L"New Note";
    default: return g_dialogCenter.dialogTitle.GetText();
    }
}

void DrawLine(HDC dc, const WCHAR* text, int x, int y, int right, int points, int bold, COLORREF colour)
{
    AIString line(text);
    line.SetFontSize(points).SetBold(bold).SetTextColor(colour);
    RECT r = {x, y, right, y + points * 2 + 6};
    line.DrawStyled(dc, r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintBody(HDC dc)
{
    int w = g_note.width, h = g_note.height;
    COLORREF text = GetTableColour(ColourText);
    DrawResourceJpg(dc, 0, 0, w, h);
    RECT body = {0, kTitleStripHeight, w, h};
    FillRect(dc, &body, (HBRUSH)GetStockObject(WHITE_BRUSH));
    RECT frame = {0, 0, w, h};
    FrameRect(dc, &frame, CreateBrushOfColour(ColourFrame));
    SelectDisplayFont(dc, Heading(), kMargin, 8, 16);
    if (g_note.kind == kDialogNewNote && g_dialogCenter.dialogTitle.FindTextNoCase(L"template") >= 0)
        DrawLine(dc, L"(from template)", w - 140, 14, w - kMargin, 8, 0, text);
    SetBkMode(dc, TRANSPARENT);
    if (g_note.helpShown) {
        RECT r = {kMargin, kTitleStripHeight + 10, w - kMargin, h - 30};
        DrawScreenMarkup(dc, g_dialogCenter.helpText ? g_dialogCenter.helpText : L"", r, 9);
        DrawScreenControls(dc, g_note.help, kButtonPlain);
        return;
    }
    RECT prompt = {kMargin, kTitleStripHeight + 8, w - kMargin, kTitleStripHeight + 60};
    DrawScreenMarkup(dc, IsHyperlink() || IsTitleKind() || g_note.kind == kDialogPrompt ? g_dialogCenter.promptText.GetText() : L"",
                     prompt, 9);
    // What the caller adds, such as a pasted file that was not copied.
    if (IsHyperlink() && !g_dialogCenter.linkExtraText.IsEmpty())
        DrawLine(dc, g_dialogCenter.linkExtraText.GetText(), kMargin, kTitleStripHeight + kExtraTextTop, w - kMargin, 9, 1,
                 kWarning);
    if (g_note.titleField && IsWindowVisible(g_note.titleField)) {
        RECT f;
        GetWindowRect(g_note.titleField, &f);
        MapWindowPoints(0, g_note.window, (POINT*)&f, 2);
        int warn = (IsHyperlink() && (g_note.code == kCodeInUse || g_note.code == kCodeLabelExists));
        DrawLine(dc, g_note.kind == kDialogRename ? L"Enter New title" : L"Enter title", kMargin, f.top - 20, w / 2, 9, 1,
                 warn ? kWarning : text);
        const WCHAR* note = (IsHyperlink() && g_note.noteMatch && !g_note.code) ? L"(Note match)"
                                                                                : L"(max 30 characters in title)";
        DrawLine(dc, note, w / 2, f.top - 19, w - kMargin, 8, 0, RGB(110, 110, 110));
    }
    if (g_note.linkField && IsWindowVisible(g_note.linkField)) {
        RECT f;
        GetWindowRect(g_note.linkField, &f);
        MapWindowPoints(0, g_note.window, (POINT*)&f, 2);
        DrawLine(dc, L"Enter link", kMargin, f.top - 20, w / 2, 9, 1, text);
        DrawLine(dc, L"(e.g. www.example.com or name@example.com)", kMargin, f.bottom + 2, w - kMargin, 8, 0,
                 RGB(110, 110, 110));
    }
    if (g_note.code) {
        int fieldLength = g_note.linkField ? GetWindowTextLengthW(g_note.linkField) : 1;
        int y = g_note.ok.GetRect().top - 26;
        DrawLine(dc, NoteDialogMessage((int)g_note.kind, g_note.code, fieldLength == 0), kMargin, y, w - kMargin, 9, 1,
                 kWarning);
    }
    for (int i = 0; i < 4; i++) DrawScreenControls(dc, *Buttons(i), kButtonFramed);
    DrawScreenControls(dc, g_note.help, kButtonPlain);
    // The hint of the button under the mouse.
    const WCHAR* hint = 0;
    if (g_note.ok.IsHot()) hint = g_dialogCenter.acceptHint;
    else if (g_note.cancel.IsHot()) hint = g_dialogCenter.cancelHint;
    else if (g_note.remove.IsHot()) hint = L"(Remove link and return)";
    else if (g_note.browse.IsHot()) hint = L"(Browse for a file to link to)";
    else if (g_note.help.IsHot())
        hint = IsHyperlink() ? L"(Click to get more help for the Hyperlink dialog)" : L"(Click to get more help for this dialog)";
    if (hint) DrawLine(dc, hint, kMargin + kHelpWidth + 8, h - 22, w - 4, 8, 0, RGB(90, 90, 90));
}

void Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, g_note.width, g_note.height);
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        PaintBody(memory);
        BitBlt(dc, 0, 0, g_note.width, g_note.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    EndPaint(window, &ps);
}

// ---- Fields ----

LRESULT CALLBACK NoteDialogEditProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_KEYDOWN || message == WM_CHAR) && (GetKeyState(VK_CONTROL) & 0x8000) &&
        !(message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT)))
        return 0;
    if (message == WM_CHAR && wParam >= L' ' && g_note.code) {
        g_note.code = kCodeNone;
        InvalidateRect(g_note.window, 0, FALSE);
    }
    LRESULT result = CallWindowProcW(g_editProc, field, message, wParam, lParam);
    if (message == WM_KEYUP && IsHyperlink() && field == g_note.titleField) {
        AIString title;
        FieldText(field, title);
        int match = NoteExists(title.GetText());
        if (match != g_note.noteMatch) {
            g_note.noteMatch = match;
            InvalidateRect(g_note.window, 0, FALSE);
        }
    }
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) InvalidateRect(field, 0, TRUE);
    return result;
}

HWND MakeField(HWND dialog, const WCHAR* name, const WCHAR* text, int limit)
{
    HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                 0, 0, 10, kFieldHeight, dialog, 0, GetModuleHandleW(0), 0);
    if (!field) return 0;
    SetPropW(field, L"TavikFieldName", (HANDLE)name);
    if (!g_fieldFont)
        g_fieldFont = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH,
                                  L"Courier New");
    SendMessageW(field, WM_SETFONT, (WPARAM)g_fieldFont, 0);
    SendMessageW(field, EM_LIMITTEXT, limit, 0);
    g_editProc = (WNDPROC)SetWindowLongPtrW(field, GWLP_WNDPROC, (LONG_PTR)NoteDialogEditProc);
    return field;
}

// In portable mode a link to a file outside the data folder breaks on
// another machine: the dialog says so when it opens.
int IsLocalLinkOutsideDataFolder(const WCHAR* link)
{
    AIString text(link), folder(GetDataFolder());
    if (text.IsEmpty() || text.FindChar(L'.') < 0 || IsRelativePathText(text.GetText())) return 0;
    if (text.FindTextNoCase(L"http:") >= 0 || text.FindTextNoCase(L"https:") >= 0 || text.FindTextNoCase(L"www.") >= 0)
        return 0;
    if (text.StartsWithNoCase(L"file:")) text.KeepRange(5, text.GetLength() - 5);
    return folder.IsEmpty() || !text.StartsWithNoCase(folder.GetText());
}

void InitialiseKind(HWND dialog)
{
    DialogCenter& c = g_dialogCenter;
    g_note.titleField = g_note.linkField = 0;
    g_note.ok.CreateStandard(dialog, L"OK", 0, 0, 10, 10);
    g_note.cancel.CreateStandard(dialog, L"Cancel", 0, 0, 10, 10);
    g_note.remove.CreateStandard(dialog, L"Delete", 0, 0, 10, 10);
    g_note.browse.CreateStandard(dialog, L"...", 0, 0, 10, 10);
    g_note.help.CreateStandard(dialog, L"Help", 0, 0, 10, 10);
    g_note.remove.Hide();
    g_note.browse.Hide();
    AIString field;
    if (IsHyperlink()) {
        CleanTitleForField(c.linkLabel.GetText(), kFieldHyperlink, field);
        // The field holds no more than a title may (a pasted file's long name).
        if (field.GetLength() > kTitleLimit) {
            field.SetLength(kTitleLimit);
            field.Trim();
        }
        g_note.openedTitle.Copy(field);
        g_note.titleField = MakeField(dialog, L"Enter_title", field.GetText(), kTitleLimit);
        AIString link(c.linkTarget);
        link.RemoveChars(L"\r\n\t");
        link.ReplaceAll(L"\x2026", L",", 1);
        link.ReplaceAll(L"\x00BD", L"'", 1);
        link.ReplaceAll(L"mailto:", L"", 1);
        g_note.linkField = MakeField(dialog, L"Enter_hyperlink", link.GetText(), kLinkLimit);
        g_note.remove.Show();
        g_note.browse.Show();
        if (g_app.system.IsPortable() && IsLocalLinkOutsideDataFolder(link.GetText())) g_note.code = kCodePortableLocal;
        if (c.copyFileFlag) {
            EnableWindow(g_note.titleField, FALSE);
            SetWindowTextW(g_note.titleField, L"(Cannot change filename)");
        }
    } else if (IsTitleKind()) {
        g_note.openedTitle.Copy(c.editedValue);
        CleanTitleForField(c.editedValue.GetText(), g_note.kind == kDialogRename ? kFieldRename : kFieldNewNote, field);
        g_note.titleField = MakeField(dialog, L"Enter_title", field.GetText(), kTitleLimit);
        g_note.ok.SetText(g_note.kind == kDialogRename ? L"OK, Rename" : L"OK, Create");
    } else {
        g_note.ok.SetText(L"OK, Delete");
        g_note.cancel.SetText(L"Don't Delete");
    }
    LayOut();
    if (g_note.titleField) {
        SetFocus(g_note.titleField);
        SendMessageW(g_note.titleField, EM_SETSEL, 0, -1);
    } else {
        SetFocus(dialog);
    }
}

void PlaceOverOwner(HWND dialog)
{
    RECT owner = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (g_note.owner) GetWindowRect(g_note.owner, &owner);
    int left = owner.left + (owner.right - owner.left) / 2 - g_note.width / 2;
    int top = owner.top + (owner.bottom - owner.top) / 2 - g_note.height / 2;
    SetWindowPos(dialog, HWND_TOP, left, top, g_note.width, g_note.height, SWP_SHOWWINDOW);
}

int ButtonAt(WPARAM id)
{
    for (int i = 0; i < 5; i++)
        if (Buttons(i)->GetId() == LOWORD(id)) return i;
    return -1;
}

INT_PTR OnCommand(HWND, WPARAM wParam)
{
    WORD id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
        if (g_note.helpShown) ToggleHelp();
        else if (id == IDOK) Accept();
        else CloseNoteDialog(kNoteDialogCancelled);
        return TRUE;
    }
    if (id >= 1005 && id <= 1007) {
        CloseNoteDialog(id - 1003);
        return TRUE;
    }
    switch (ButtonAt(wParam)) {
    case kButtonOk: Accept(); break;
    case kButtonCancel: CloseNoteDialog(kNoteDialogCancelled); break;
    case kButtonDelete: if (IsHyperlink()) RemoveLink(); break;
    case kButtonBrowse: if (IsHyperlink()) BrowseForFile(); break;
    case kButtonHelp: ToggleHelp(); break;
    default: break;
    }
    return TRUE;
}

INT_PTR OnMouse(HWND dialog, UINT message, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    int changed = 0;
    if (message == WM_LBUTTONDOWN) {
        if (y < kTitleStripHeight) {
            g_note.dragging = 1;
            g_note.pressAt.x = x;
            g_note.pressAt.y = y;
            SetCapture(dialog);
        }
        for (int i = 0; i < 5; i++)
            if (Buttons(i)->IsVisible()) changed |= Buttons(i)->OnMouseDown(x, y);
    } else if (message == WM_LBUTTONUP) {
        if (g_note.dragging) {
            g_note.dragging = 0;
            ReleaseCapture();
        }
        for (int i = 0; i < 5; i++)
            if (Buttons(i)->IsVisible()) changed |= Buttons(i)->OnMouseUp(x, y);
        changed = 1;
    } else {
        if (g_note.dragging) {
            RECT r;
            GetWindowRect(dialog, &r);
            SetWindowPos(dialog, 0, r.left + x - g_note.pressAt.x, r.top + y - g_note.pressAt.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER);
            return TRUE;
        }
        for (int i = 0; i < 5; i++)
            if (Buttons(i)->IsVisible()) changed |= Buttons(i)->OnMouseMove(x, y);
    }
    if (changed) InvalidateRect(dialog, 0, FALSE);
    return TRUE;
}

INT_PTR CALLBACK NoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_note.window = dialog;
        g_note.closing = 0;
        g_note.savedWindowId = g_app.GetActiveWindowId();
        g_app.SetActiveWindowId(kNoteDialogWindowId);
        DialogState = kDialogOpen;
        PlaceOverOwner(dialog);
        SetForegroundWindow(dialog);
        InitialiseKind(dialog);
        return FALSE;  // the focus is set
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: return OnMouse(dialog, message, lParam);
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(dialog); return TRUE;
    case WM_HELP: ToggleHelp(); return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        if (!g_focusBrush) g_focusBrush = CreateSolidBrush(kFocusFill);
        HDC dc = (HDC)wParam;
        int focused = (HWND)lParam == GetFocus();
        SetBkColor(dc, focused ? kFocusFill : RGB(255, 255, 255));
        return (INT_PTR)(focused ? g_focusBrush : GetStockObject(WHITE_BRUSH));
    }
    case WM_DESTROY:
        g_note.window = 0;
        g_note.titleField = g_note.linkField = 0;
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

// ---- The dialog centre's side ----

LRESULT ShowNoteDialog(HWND, UINT message, WPARAM wParam, LPARAM)
{
    static const uint32_t showDialog = HashName("ShowDialog");
    if (message != MsgCommandByName || (uint32_t)wParam != showDialog) return 1;
    TRACE_SCOPE(kTraceNoteDialogs, 1);
    g_note.ran = 1;
    HWND frame = DialogFrameWindow();
    HWND backdrop = GetBackdropWindow();
    if (frame) EnableWindow(frame, FALSE);
    if (g_dialogShell.content) EnableWindow(g_dialogShell.content, FALSE);
    if (backdrop) EnableWindow(backdrop, FALSE);
    g_note.code = kCodeNone;
    g_note.helpShown = 0;
    g_note.noteMatch = 0;
    g_note.dragging = 0;
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDD_ERROR_DETAILS), g_note.owner,
                                     NoteDialogProc, 0);
    // A dialog that could not be made answers "cancelled", never an older answer.
    g_dialogCenter.noteDialogAnswer = result == -1 ? kNoteDialogCancelled : (int32_t)result;
    if (result == -1) g_note.window = 0;
    DialogState = kDialogClosing;
    DialogEnableMainWindows();
    if (g_dialogShell.editor) SetFocus(g_dialogShell.editor);
    return g_dialogCenter.noteDialogAnswer;
}

void OpenNoteDialog()
{
    TRACE_SCOPE(kTraceNoteDialogs, 2);
    g_note.owner = DialogFrameWindow();
    g_note.kind = g_dialogCenter.kind;
    g_note.width = IsHyperlink() ? 400 : IsTitleKind() ? 350 : 300;
    g_note.height = IsHyperlink() ? 300 : IsTitleKind() ? 250 : 200;
    if (g_note.kind == kDialogPrompt) g_note.width = 340;
    g_note.code = kCodeNone;
    g_note.ran = 0;
    g_dialogCenter.noteDialogAnswer = kNoteDialogCancelled;
    ShowCaretState(1);
    RequestModalDialog(1, 0, kOwnerNoteDialogs);
    CreateBackdropWindow();
    HWND backdrop = GetBackdropWindow();
    if (!backdrop) {
        // No backdrop: the dialog runs over the frame as it is.
        ShowNoteDialog(0, MsgCommandByName, HashName("ShowDialog"), 0);
        return;
    }
    // The backdrop's first paint asks for the dialog (after its EndPaint).
    RedrawWindow(backdrop, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW);
    while (!g_note.ran && GetBackdropWindow() && !IsApplicationClosing()) {
        if (!RunModalLoop()) break;
    }
}

void ConnectNoteDialogs()
{
    g_dialogCenter.noteDialogCallback = OpenNoteDialog;
    g_noteDialogReceiver = ShowNoteDialog;
}

HWND GetNoteDialogWindow() { return g_note.closing ? 0 : g_note.window; }
HWND GetNoteDialogTitleField() { return g_note.titleField; }
HWND GetNoteDialogLinkField() { return g_note.linkField; }
const WCHAR* GetNoteDialogHeading() { return Heading(); }
int GetNoteDialogCode() { return g_note.code; }
const WCHAR* GetNoteDialogMessageText()
{
    int empty = g_note.linkField ? GetWindowTextLengthW(g_note.linkField) == 0 : 0;
    return NoteDialogMessage((int)g_note.kind, g_note.code, empty);
}
int IsNoteDialogHelpShown() { return g_note.helpShown; }
WORD GetNoteDialogButtonId(NoteDialogButton button) { return Buttons(button)->GetId(); }
