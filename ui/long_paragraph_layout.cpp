// Layout help for long paragraphs in the platform's rich edit. See
// long_paragraph_layout.h.
#include "ui/long_paragraph_layout.h"
#include "foundation/ai_string.h"
#include "ui/editor_selection.h"
#include <richedit.h>

namespace {
const LPARAM kNoWrap = 1;      // EM_SETTARGETDEVICE's line width that turns wrapping off
const LPARAM kWindowWrap = 0;  // ... and the one that wraps at the window's width

// The locale id of every other run: the same language, another sub-language
// (the neutral one, or the default one when the text's is neutral).
LCID AlternateLocale(LCID locale)
{
    LANGID language = LANGIDFROMLCID(locale);
    WORD sub = SUBLANGID(language) == SUBLANG_NEUTRAL ? SUBLANG_DEFAULT : SUBLANG_NEUTRAL;
    return MAKELCID(MAKELANGID(PRIMARYLANGID(language), sub), SORTIDFROMLCID(locale));
}
}  // namespace

WrapPause::WrapPause(HWND editor) : editor_(editor)
{
    if (editor_) SendMessageW(editor_, EM_SETTARGETDEVICE, 0, kNoWrap);
}

WrapPause::~WrapPause()
{
    if (editor_) SendMessageW(editor_, EM_SETTARGETDEVICE, 0, kWindowWrap);
}

void SplitLongParagraphs(HWND editor)
{
    if (!editor) return;
    AIString text;
    ReadEditorText(editor, text);
    if (text.GetLength() <= kLayoutRunChars) return;
    const WCHAR* t = text.GetText();
    int length = text.GetLength();

    int modified = (int)SendMessageW(editor, EM_GETMODIFY, 0, 0);
    CHARFORMAT2W current;
    ZeroMemory(&current, sizeof(current));
    current.cbSize = sizeof(current);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&current);
    CHARFORMAT2W other;
    ZeroMemory(&other, sizeof(other));
    other.cbSize = sizeof(other);
    other.dwMask = CFM_LCID;
    other.lcid = AlternateLocale(current.lcid);
    QuietSelection quiet(editor, 1);
    for (int start = 0; start < length;) {
        int end = start;
        while (end < length && t[end] != L'\r' && t[end] != L'\n') end++;
        // Every second run of a long paragraph takes the other locale id.
        for (int run = start + kLayoutRunChars; run < end; run += 2 * kLayoutRunChars) {
            int runEnd = run + kLayoutRunChars < end ? run + kLayoutRunChars : end;
            WriteRangeFormat(editor, run, runEnd, other);
        }
        start = end + 1;
    }
    SendMessageW(editor, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}
