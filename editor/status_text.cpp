// The editor's status texts.
#include "editor/status_text.h"
#include "notestore/datafile_format.h"

const WCHAR kAllCapsText[] = L"All Caps active (Ctrl+CapsLock to disable)";

namespace {

int IsWordSeparator(WCHAR ch)
{
    switch (ch) {
    case L' ': case L'\n': case L'\r': case L'\t': case L'-': case L'*': case 0x2022: case L'!': case L'?':
        return 1;
    default:
        return 0;
    }
}

}  // namespace

int32_t CountStatusWords(const WCHAR* text, int32_t len)
{
    int32_t words = 0;
    int inWord = 0;
    for (int32_t i = 0; text && i < len; i++) {
        int separator = IsWordSeparator(text[i]);
        if (!separator && !inWord) words++;
        inWord = !separator;
    }
    return words;
}

void ComposeEditorStatus(const EditorStatusFacts& f, AIString& out)
{
    out.AssignText(L" \t Note: ").AppendInt(f.noteNumber + 1).AppendText(L" of ").AppendInt(f.noteCount);
    if (f.hasSelection) {
        out.AppendText(L"    <lgreen>Selection</lgreen>: (Words: ").AppendInt(f.words);
        out.AppendText(L"    Chars: ").AppendInt(f.chars).AppendText(L")");
    } else {
        out.AppendText(L"    Line: ").AppendInt(f.line + 1).AppendText(L" of ").AppendInt(f.lineCount);
        out.AppendText(L"    Col: ").AppendInt(f.column);
        if (f.withCounts) {
            out.AppendText(L"    (Words: ").AppendInt(f.words);
            out.AppendText(L"    Chars: ").AppendInt(f.chars).AppendText(L")");
        }
    }
    if (f.readOnly) out.AppendText(L"  (READ-ONLY FILE)");
}

NoteLengthLevel ClassifyNoteLength(int32_t length)
{
    if (length > kMaxNoteChars) return kNoteLengthError;
    if (length > kNoteWarnChars) return kNoteLengthWarning;
    return kNoteLengthFine;
}

void NoteLengthText(int32_t length, AIString& out)
{
    out.Clear();
    switch (ClassifyNoteLength(length)) {
    case kNoteLengthError:
        out.AssignText(L"Error: The note is too long  - max. ").AppendInt(kMaxNoteChars);
        out.AppendText(L" (now ").AppendInt(length);
        out.AppendText(L") characters permitted (including hyperlinks) - you may lose some text");
        break;
    case kNoteLengthWarning:
        out.AssignText(L"Warning: The note is almost too long - max. ").AppendInt(kMaxNoteChars);
        out.AppendText(L" (now ").AppendInt(length).AppendText(L") characters permitted (including hyperlinks)");
        break;
    default:
        break;
    }
}
