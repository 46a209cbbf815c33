// The text pipelines' hooks, and the look-up of the selected word.
#include "search/preview/word_lookup_preview.h"
#include "search/preview/preview_pane.h"
#include "search/preview/preview_state.h"
#include "search/lookup/word_lookup.h"
#include "search/lookup/lookup_text.h"
#include "search/pdf/pdf_text_cache.h"
#include "ui/ai_control.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include <richedit.h>
#include <string>

namespace {

const int kLookupWordMaxChars = 50;
const WCHAR kNoWordHint[] = L"Select a word, or put the cursor in one, to look it up";
// How much of the caret's line is read on each side to find its word.
const int kCaretLineReach = 100;

StatusLevel LevelOf(int level)
{
    return level <= 0 ? kStatusDone : level == 1 ? kStatusInfo : level == 2 ? kStatusWarning : kStatusError;
}

void ShowPipelineStatus(const WCHAR* text, int level)
{
    if (g_previewShell.setStatusText) g_previewShell.setStatusText(text, LevelOf(level));
}

int IsShiftDown() { return PreviewKeyDown(VK_SHIFT); }

int WebAccessAllowed() { return g_app.settings.Record().previewWebPages ? 1 : 0; }

// The target language the "lang:" start-up word gives, as its English name.
void TakeStartupLanguage()
{
    const WCHAR* code = g_app.GetLanguageCode();
    if (!code || !code[0]) return;
    AIString word(code), name;
    int n = word.ToUtf8(nullptr, 0);
    std::string narrow((size_t)n + 1, '\0');
    word.ToUtf8(&narrow[0], n + 1);
    narrow.resize((size_t)n);
    std::string english = LanguageNameOfCode(narrow);
    name.AssignAscii(english.c_str());
    SetTranslationLanguage(name.GetText());
}

// The word the editor's caret stands in (the editor's own word breaks are
// not to be had under every system): read from the caret's line.
void WordAtEditorCaret(HWND editor, int32_t caret, AIString& word)
{
    word.Clear();
    int32_t line = (int32_t)SendMessageW(editor, EM_EXLINEFROMCHAR, 0, caret);
    int32_t lineStart = (int32_t)SendMessageW(editor, EM_LINEINDEX, line, 0);
    int32_t lineLength = (int32_t)SendMessageW(editor, EM_LINELENGTH, caret, 0);
    if (lineStart < 0 || lineLength <= 0) return;
    int32_t from = caret - kCaretLineReach > lineStart ? caret - kCaretLineReach : lineStart;
    int32_t to = caret + kCaretLineReach < lineStart + lineLength ? caret + kCaretLineReach : lineStart + lineLength;
    if (to <= from) return;
    AIString text;
    WCHAR* buffer = text.GetBuffer(to - from + 1);
    if (!buffer) return;
    TEXTRANGEW range = {{from, to}, buffer};
    text.SetLength((int)SendMessageW(editor, EM_GETTEXTRANGE, 0, (LPARAM)&range));
    LookupText line16(reinterpret_cast<const char16_t*>(text.GetText()), (size_t)text.GetLength());
    WordSpan span = WordAtCaret(line16, (size_t)(caret - from));
    word.AssignTextN(text.GetText() + span.start, (int)(span.end - span.start));
}

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
    TakeStartupLanguage();
}

int LookUpWordAndReport(const WCHAR* word)
{
    // A word to look up answers the hint that asked for one.
    const WCHAR* status = g_previewShell.statusText ? g_previewShell.statusText() : nullptr;
    if (status && lstrcmpW(status, kNoWordHint) == 0) ShowPipelineStatus(L"", 0);
    if (LookUpWord(word, kLookupWord) < 0)
        ShowPipelineStatus(L"Word look-up is not available: no WordNet dictionary was found", 2);
    return 1;
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
        } else {
            WordAtEditorCaret(editor, range.cpMin, word);
        }
    }
    if (word.GetLength() > kLookupWordMaxChars) word.SetLength(kLookupWordMaxChars);
    word.Trim();
    if (word.IsEmpty()) {
        ShowPipelineStatus(kNoWordHint, 1);
        return 1;
    }
    return LookUpWordAndReport(word.GetText());
}
