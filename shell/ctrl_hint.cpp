#include "shell/ctrl_hint.h"
#include "shell/main_panel.h"
#include "shell/shell_ids.h"
#include "shell/status_texts.h"
#include "editor/keys/editor_links.h"
#include "search/quick/search_shell_links.h"
#include "foundation/ai_string.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

namespace {

const int kCtrlPrefixLength = 5;   // "Ctrl+"

// The second timer of each field (10001 to 10005), and the keys it lists.
enum CtrlHintField : UINT_PTR {
    kHintQuickSearch = kTimerCtrlHintFirst,
    kHintEditor,
    kHintIncSearch,
    kHintReplace,
    kHintFullText,
};
static_assert(kHintQuickSearch == kQuickCtrlHintTimer && kHintEditor == kEditorTimerCtrlHintSecond &&
                  kHintFullText == kTimerCtrlHintLast,
              "the fields' hint timers are the ones the fields start");

struct FieldHint {
    UINT_PTR timer;
    const WCHAR* text;
};
const FieldHint kFieldHints[] = {
    {kHintQuickSearch,
     L"<vlblue>QuickSearch</vlblue>: Ctrl+F search in the note, Ctrl+Shift+F full-text search, Ctrl+Enter the last "
     L"full-text search, Ctrl+- and Ctrl++ zoom, Ctrl+Q all keys"},
    {kHintEditor,
     L"<vlblue>Editor</vlblue>: Ctrl+B bold, Ctrl+I italic, Ctrl+D strike-through, Ctrl+K hyperlink, Ctrl+Space "
     L"AutoLinks, Ctrl+G next heading, Ctrl+J next occurrence, Ctrl+Q all keys"},
    {kHintIncSearch,
     L"<vlblue>Search in note</vlblue>: F3 next match, Shift+F3 previous match, Ctrl+H replace, Esc back to the note"},
    {kHintReplace, L"<vlblue>Replace</vlblue>: Enter replaces the match, Tab goes back to the search"},
    {kHintFullText,
     L"<vlblue>Full-text search</vlblue>: Enter searches, Ctrl+Enter the last search, Esc back to QuickSearch"},
};

// Read as the editor and the search fields read it (tests put their own state in).
int CtrlHeld() { return EditorIsKeyDown(VK_CONTROL) || SearchKeyDown(VK_CONTROL); }

}  // namespace

void ComposeCtrlKeysHint(const CommandRow* rows, int count, AIString& out)
{
    out.AssignText(L"<b>Ctrl+</b>");
    int listed = 0;
    for (int i = 0; i < count; i++) {
        const CommandRow& row = rows[i];
        if (!(row.key.modifiers & FCONTROL) || (row.key.modifiers & (FALT | FSHIFT)) || !row.caption) continue;
        AIString key;
        FormatCommandKey(row.key, key);
        key.KeepRange(kCtrlPrefixLength, key.GetLength() - kCtrlPrefixLength);
        out.AppendText(listed ? L", " : L" ").AppendString(key).AppendText(L" ");
        AppendOutsideText(out, row.caption);
        listed++;
    }
}

const WCHAR* FieldCtrlKeysHint(UINT_PTR fieldTimer)
{
    for (const FieldHint& hint : kFieldHints)
        if (hint.timer == fieldTimer) return hint.text;
    return L"";
}

void StartCtrlHint(UINT_PTR fieldTimer)
{
    TRACE_SCOPE(kTraceCtrlHint, 1);
    if (fieldTimer < kTimerCtrlHintFirst || fieldTimer > kTimerCtrlHintLast) return;
    g_mainPanel.ctrlHintState = 1;
    StartMainTimer(kTimerCtrlHintEditor, kCtrlHintMs);
    StartMainTimer(fieldTimer, kCtrlHintSecondMs);
}

void StopCtrlHint()
{
    StopTimersForExit();
    if (HWND panel = g_mainPanel.GetHwndField()) InvalidateRect(panel, nullptr, FALSE);
}

void RunCtrlHint(int timerId)
{
    TRACE_SCOPE(kTraceCtrlHint, 2);
    StopMainTimer((UINT_PTR)timerId);
    // Ctrl let go, or the hint stopped by another key: nothing shows.
    if (g_mainPanel.ctrlHintState <= 0 || !CtrlHeld()) return;
    AIString text;
    if ((UINT_PTR)timerId == kTimerCtrlHintEditor)
        ComposeCtrlKeysHint(FrameCommandTable, FrameCommandCount, text);
    else
        text.AssignText(FieldCtrlKeysHint((UINT_PTR)timerId));
    if (!text.IsEmpty()) SetStatusText(text.GetText(), kStatusInfo);
}
