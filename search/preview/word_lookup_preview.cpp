// The text pipelines' hooks, and the look-up of the selected word.
#include "search/preview/word_lookup_preview.h"
#include "search/preview/preview_pane.h"
#include "search/lookup/word_lookup.h"
#include "search/pdf/pdf_text_cache.h"
#include "ui/ai_control.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include <richedit.h>

namespace {

const int kLookupWordMaxChars = 50;

StatusLevel LevelOf(int level)
{
    return level <= 0 ? kStatusDone : level == 1 ? kStatusInfo : level == 2 ? kStatusWarning : kStatusError;
}

void ShowPipelineStatus(const WCHAR* text, int level)
{
    if (g_previewShell.setStatusText) g_previewShell.setStatusText(text, LevelOf(level));
}

int IsShiftDown()
{
    if (g_previewShell.isKeyDown) return g_previewShell.isKeyDown(VK_SHIFT);
    return GetKeyState(VK_SHIFT) < 0;
}

int WebAccessAllowed() { return g_app.settings.Record().previewWebPages ? 1 : 0; }

}  // namespace

void ConnectPreviewPipelines()
{
    PdfTextHooks pdf = {};
    pdf.showStatus = ShowPipelineStatus;
    SetPdfTextHooks(pdf);
    WordLookupHooks lookup = {};
    lookup.showStatus = ShowPipelineStatus;
    lookup.showDictionaryEntry = ShowDictionaryEntry;
    lookup.isShiftDown = IsShiftDown;
    lookup.webAccessAllowed = WebAccessAllowed;
    SetWordLookupHooks(lookup);
}

int LookUpSelectedWord()
{
    AIString word;
    HWND quick = g_previewShell.quickSearch;
    HWND editor = g_previewShell.editor ? g_previewShell.editor->GetHwnd() : nullptr;
    if (quick && GetFocus() == quick) {
        word.AssignControlText(quick);
    } else if (editor) {
        CHARRANGE range = {0, 0};
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&range);
        if (range.cpMax - range.cpMin > kLookupWordMaxChars) range.cpMax = range.cpMin + kLookupWordMaxChars;
        if (range.cpMax > range.cpMin) {
            WCHAR* buffer = word.GetBuffer(range.cpMax - range.cpMin + 1);
            TEXTRANGEW text = {range, buffer};
            word.SetLength(buffer ? (int)SendMessageW(editor, EM_GETTEXTRANGE, 0, (LPARAM)&text) : 0);
        }
    }
    if (word.GetLength() > kLookupWordMaxChars) word.SetLength(kLookupWordMaxChars);
    word.Trim();
    if (word.IsEmpty()) return 0;
    LookUpWord(word.GetText(), kLookupWord);
    return 1;
}
