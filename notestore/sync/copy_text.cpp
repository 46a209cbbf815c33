// A copy's text as the store takes it in (see copy_text.h).
#include "notestore/sync/copy_text.h"
#include "notestore/datafile_format.h"
#include <vector>

namespace {

// One line of a text: where it starts, its length without its line end, and
// where the next one starts. CR LF, LF and CR alone all end a line.
struct TextLine {
    int32_t at;
    int32_t len;
};

void SplitLines(const WCHAR* text, int32_t len, std::vector<TextLine>& lines)
{
    int32_t at = 0;
    while (at < len) {
        int32_t end = at;
        while (end < len && text[end] != L'\r' && text[end] != L'\n') end++;
        lines.push_back({at, end - at});
        if (end < len && text[end] == L'\r' && end + 1 < len && text[end + 1] == L'\n') end++;
        at = end + 1;
    }
}

bool LineIs(const WCHAR* text, const TextLine& line, const WCHAR* what)
{
    if (line.len != TextLength(what)) return false;
    for (int32_t i = 0; i < line.len; i++)
        if (what[i] != text[line.at + i]) return false;
    return true;
}

// "[label:target]", as the link block holds them.
bool IsLinkLine(const WCHAR* text, const TextLine& line)
{
    if (line.len < 3 || text[line.at] != L'[' || text[line.at + line.len - 1] != L']') return false;
    for (int32_t i = 1; i < line.len - 1; i++)
        if (text[line.at + i] == L':') return true;
    return false;
}

bool IsBlankLine(const WCHAR* text, const TextLine& line)
{
    for (int32_t i = 0; i < line.len; i++)
        if (text[line.at + i] != L' ' && text[line.at + i] != L'\t') return false;
    return true;
}

// A stretch of the text; a NUL (which the store never keeps) is left out
// rather than ending the stretch.
void AppendSpan(AIString& out, const WCHAR* text, int32_t len)
{
    int32_t from = 0;
    for (int32_t i = 0; i <= len; i++) {
        if (i < len && text[i] != 0) continue;
        out.AppendTextN(text + from, i - from);
        from = i + 1;
    }
}

const WCHAR kBlockOpen[] = L"{{";
const WCHAR kBlockClose[] = L"}}";

}  // namespace

void TidyCopyText(const WCHAR* text, int32_t len, AIString& out)
{
    out.Clear();
    // The NULs go first: the lines are those of the text the store keeps.
    for (int32_t i = 0; i < len; i++) {
        if (text[i] != 0) continue;
        AIString withoutNuls;
        AppendSpan(withoutNuls, text, len);
        TidyCopyText(withoutNuls.GetText(), withoutNuls.GetLength(), out);
        return;
    }
    if (FindLinkBlock(text, len) < len) {
        AppendSpan(out, text, len);
        return;
    }
    std::vector<TextLine> lines;
    SplitLines(text, len, lines);
    // The last "{{" line with a "}}" line after it.
    int32_t open = -1, close = -1;
    for (int32_t i = (int32_t)lines.size() - 1; i >= 0 && open < 0; i--) {
        if (!LineIs(text, lines[(size_t)i], kBlockOpen)) continue;
        for (int32_t j = i + 1; j < (int32_t)lines.size(); j++)
            if (LineIs(text, lines[(size_t)j], kBlockClose)) {
                open = i;
                close = j;
                break;
            }
    }
    if (open < 0) {
        AppendSpan(out, text, len);
        return;
    }
    // The body: everything before the "{{" line, without the line end that
    // belongs to the block's start.
    int32_t bodyEnd = lines[(size_t)open].at;
    if (bodyEnd > 0 && text[bodyEnd - 1] == L'\n') bodyEnd--;
    if (bodyEnd > 0 && text[bodyEnd - 1] == L'\r') bodyEnd--;
    AppendSpan(out, text, bodyEnd);
    // Lines typed inside the block or after it join the body, in their order;
    // blank lines at their end are dropped.
    std::vector<TextLine> moved;
    for (int32_t i = open + 1; i < (int32_t)lines.size(); i++) {
        if (i == close) continue;
        if (i < close && IsLinkLine(text, lines[(size_t)i])) continue;
        moved.push_back(lines[(size_t)i]);
    }
    while (!moved.empty() && IsBlankLine(text, moved.back())) moved.pop_back();
    for (size_t i = 0; i < moved.size(); i++) {
        if (i > 0 || bodyEnd > 0) out.AppendText(L"\r\n");
        AppendSpan(out, text + moved[i].at, moved[i].len);
    }
    out.AppendText(L"\r\n").AppendText(kBlockOpen).AppendText(L"\r\n");
    for (int32_t i = open + 1; i < close; i++) {
        if (!IsLinkLine(text, lines[(size_t)i])) continue;
        AppendSpan(out, text + lines[(size_t)i].at, lines[(size_t)i].len);
        out.AppendText(L"\r\n");
    }
    out.AppendText(kBlockClose).AppendText(L"\r\n");
}

void CopyTextAsStored(const WCHAR* text, int32_t len, AIString& out)
{
    AIString tidy;
    TidyCopyText(text, len, tidy);
    StoredNoteText(tidy.GetText(), tidy.GetLength(), out);
}

int32_t SameTextAsStored(const WCHAR* a, int32_t aLen, const WCHAR* b, int32_t bLen)
{
    AIString storedA, storedB;
    CopyTextAsStored(a, aLen, storedA);
    CopyTextAsStored(b, bLen, storedB);
    if (storedA.GetLength() != storedB.GetLength()) return 0;
    return memcmp(storedA.GetText(), storedB.GetText(), (size_t)storedA.GetLength() * sizeof(WCHAR)) == 0;
}
