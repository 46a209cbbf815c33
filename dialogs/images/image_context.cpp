// Cutting the paragraph around a picture's link out of its note.
#include "dialogs/images/image_context.h"

namespace {

// The most text looked at before and after the link.
const int kContextBefore = 200;
const int kContextAfter = 800;
// Where a paragraph, a heading section or an item starts.
const WCHAR* const kStarts[] = {L"\r\n\r\n", L"\r\n#", L"   ", L"\x2022 ", L"\r\n - ", L"\r\n- "};
// Where it ends after the link.
const WCHAR* const kEnds[] = {L"\r\n\r\n", L"   ", L"\x2022 ", L"\r\n - ", L"\r\n- ", L"\r\n#", L"\r\n{{"};  // the last: the link block

int FindExact(const WCHAR* text, int from, int to, const WCHAR* needle, int last)
{
    int n = TextLength(needle);
    int found = -1;
    for (int i = from; i + n <= to; i++) {
        int k = 0;
        while (k < n && text[i + k] == needle[k]) k++;
        if (k == n) {
            if (!last) return i;
            found = i;
        }
    }
    return found;
}

}  // namespace

int GetImageContextText(const WCHAR* noteText, int length, const WCHAR* label, AIString& out)
{
    out.Clear();
    if (!noteText || length <= 0 || !label || !*label) return 0;
    AIString link(L"[");
    link.AppendText(label).AppendChar(L']');
    int at = FindExact(noteText, 0, length, link.GetText(), 0);
    if (at < 0) return 0;
    int linkEnd = at + link.GetLength();
    int start = at > kContextBefore ? at - kContextBefore : 0;
    int end = linkEnd + kContextAfter < length ? linkEnd + kContextAfter : length;

    // The nearest start of a paragraph, heading or item before the link.
    int from = start;
    for (const WCHAR* marker : kStarts) {
        int found = FindExact(noteText, from, at, marker, 1);
        if (found >= 0 && found + TextLength(marker) > start) start = found + TextLength(marker);
    }
    for (const WCHAR* marker : kEnds) {
        int found = FindExact(noteText, linkEnd, end, marker, 0);
        if (found >= 0 && found < end) end = found;
    }
    AIString text;
    text.AssignTextN(noteText + start, end - start);
    text.ReplaceAll(L"\r\n", L" ");
    static const WCHAR kDropped[] = {L'\r', L'\n', L'\t', L'#', 0};
    text.RemoveChars(kDropped);
    text.Trim();
    if (text.GetLength() > kImageContextMaxChars) text.KeepRange(0, kImageContextMaxChars);
    out.Copy(text);
    return out.IsEmpty() ? 0 : 1;
}
