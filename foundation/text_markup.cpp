#include "foundation/text_markup.h"
#include "foundation/errors.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

namespace {

struct NamedColour {
    const WCHAR* name;
    COLORREF colour;
};

const NamedColour kColours[TextMarkup::kColourCount] = {
    {L"black", RGB(0, 0, 0)},        {L"white", RGB(255, 255, 255)},  {L"grey", RGB(128, 128, 128)},
    {L"lgrey", RGB(192, 192, 192)},  {L"dgrey", RGB(64, 64, 64)},     {L"red", RGB(200, 0, 0)},
    {L"lred", RGB(255, 80, 80)},     {L"dred", RGB(128, 0, 0)},       {L"green", RGB(0, 150, 0)},
    {L"lgreen", RGB(80, 200, 80)},   {L"dgreen", RGB(0, 100, 0)},     {L"blue", RGB(0, 0, 220)},
    {L"lblue", RGB(80, 140, 255)},   {L"vlblue", RGB(170, 200, 255)}, {L"dblue", RGB(0, 0, 128)},
    {L"yellow", RGB(230, 200, 0)},   {L"orange", RGB(255, 140, 0)},   {L"purple", RGB(128, 0, 128)},
    {L"brown", RGB(139, 69, 19)},    {L"cyan", RGB(0, 170, 200)},
};

// Case-insensitive match of tag[0..length) against a lower-case ASCII word.
bool TagIs(const WCHAR* tag, int length, const WCHAR* word)
{
    int n = TextLength(word);
    if (n != length) return false;
    for (int i = 0; i < n; i++)
        if (FoldChar(tag[i]) != word[i]) return false;
    return true;
}

// A number of one or two digits making up the whole of text[0..length); -1 otherwise.
int SmallNumber(const WCHAR* text, int length)
{
    if (length < 1 || length > 2) return -1;
    int v = 0;
    for (int i = 0; i < length; i++) {
        if (text[i] < L'0' || text[i] > L'9') return -1;
        v = v * 10 + (text[i] - L'0');
    }
    return v;
}

// Decodes the entity at text (which starts with '&'): the character and its length.
int DecodeEntity(const WCHAR* text, int available, WCHAR* out)
{
    if (available >= 4 && text[1] == L'l' && text[2] == L't' && text[3] == L';') { *out = L'<'; return 4; }
    if (available >= 4 && text[1] == L'g' && text[2] == L't' && text[3] == L';') { *out = L'>'; return 4; }
    if (available >= 5 && text[1] == L'a' && text[2] == L'm' && text[3] == L'p' && text[4] == L';') {
        *out = L'&';
        return 5;
    }
    *out = L'&';
    return 1;
}

void AppendDecoded(AIString& out, const WCHAR* text, int length)
{
    for (int i = 0; i < length;) {
        if (text[i] == L'&') {
            WCHAR c;
            i += DecodeEntity(text + i, length - i, &c);
            out.AppendChar(c);
        } else {
            out.AppendChar(text[i++]);
        }
    }
}

}  // namespace

TextMarkup::TextMarkup() : runs_(0), runCount_(0), runCapacity_(0) {}

TextMarkup::~TextMarkup()
{
    if (runs_) LocalFree(runs_);
}

int TextMarkup::ColourByName(const WCHAR* name, int length, COLORREF* colour)
{
    for (int i = 0; i < kColourCount; i++)
        if (TagIs(name, length, kColours[i].name)) {
            if (colour) *colour = kColours[i].colour;
            return 1;
        }
    return 0;
}

const WCHAR* TextMarkup::ColourName(int index)
{
    return (index >= 0 && index < kColourCount) ? kColours[index].name : 0;
}

int TextMarkup::AddRun(int kind, const TextStyle& style, int start, int length, int linkStart, int linkLength)
{
    if (kind == kRunText && length <= 0) return 1;
    if (kind == kRunText && runCount_ > 0) {  // a dropped tag does not split the text
        TextRun& last = runs_[runCount_ - 1];
        if (last.kind == kRunText && last.start + last.length == start && !memcmp(&last.style, &style, sizeof(style)) &&
            (!style.link || last.linkStart == linkStart)) {
            last.length += length;
            return 1;
        }
    }
    if (runCount_ == runCapacity_) {
        int want = runCapacity_ ? runCapacity_ * 2 : 16;
        TextRun* block = 0;
        while (!(block = (TextRun*)LocalAlloc(LPTR, (SIZE_T)want * sizeof(TextRun))))
            if (!AskRetryAllocation()) return 0;
        if (runs_) {
            memcpy(block, runs_, (size_t)runCount_ * sizeof(TextRun));
            LocalFree(runs_);
        }
        runs_ = block;
        runCapacity_ = want;
    }
    TextRun& run = runs_[runCount_++];
    run.kind = kind;
    run.start = start;
    run.length = length;
    run.style = style;
    run.linkStart = style.link ? linkStart : -1;
    run.linkLength = style.link ? linkLength : 0;
    return 1;
}

// Applies one tag (the text between < and >) to the style; returns the kind of
// break it stands for, or kRunText for style tags and dropped unknown tags.
int TextMarkup::ApplyTag(const WCHAR* tag, int length, TextStyle& style, int& linkStart, int& linkLength)
{
    if (TagIs(tag, length, L"br")) return kRunBreak;
    if (TagIs(tag, length, L"sbr")) return kRunSmallBreak;
    if (TagIs(tag, length, L"p")) return kRunParagraph;
    int closing = length > 1 && tag[0] == L'/';
    const WCHAR* name = tag + closing;
    int n = length - closing;
    int on = !closing;
    if (TagIs(name, n, L"b")) { style.bold = on; return kRunText; }
    if (TagIs(name, n, L"i")) { style.italic = on; return kRunText; }
    if (TagIs(name, n, L"u")) { style.underline = on; return kRunText; }
    if (closing && TagIs(name, n, L"link")) { style.link = 0; return kRunText; }
    if (!closing && n > 5 && TagIs(name, 5, L"link:")) {
        linkStart = links_.GetLength();
        AppendDecoded(links_, name + 5, n - 5);
        linkLength = links_.GetLength() - linkStart;
        style.link = 1;
        return kRunText;
    }
    if (n >= 1 && (name[0] == L'h' || name[0] == L'H')) {
        int level = SmallNumber(name + 1, n - 1);
        if (level >= 1 && level <= 3) { style.heading = on ? level : 0; return kRunText; }
        if (closing && n == 1) { style.heading = 0; return kRunText; }
    }
    if (n >= 1 && (name[0] == L'f' || name[0] == L'F')) {
        int points = SmallNumber(name + 1, n - 1);
        if (points >= 8 && points <= 24) { style.sizePoints = on ? points : 0; return kRunText; }
        if (closing && n == 1) { style.sizePoints = 0; return kRunText; }
    }
    COLORREF colour;
    if (ColourByName(name, n, &colour)) {
        style.hasColour = on;
        style.colour = on ? colour : 0;
    }
    return kRunText;  // unknown tags are dropped
}

int TextMarkup::Parse(const WCHAR* markup)
{
    TRACE_SCOPE(kTraceStrings, 80);
    plain_.Clear();
    links_.Clear();
    runCount_ = 0;
    int n = TextLength(markup);
    TextStyle style;
    memset(&style, 0, sizeof(style));
    int linkStart = -1, linkLength = 0;
    int runStart = 0;
    // Flushes the text gathered under the current style into a run.
    auto flush = [&]() {
        int ok = AddRun(kRunText, style, runStart, plain_.GetLength() - runStart, linkStart, linkLength);
        runStart = plain_.GetLength();
        return ok;
    };
    for (int i = 0; i < n;) {
        WCHAR c = markup[i];
        if (c == L'<') {
            int end = i + 1;
            while (end < n && markup[end] != L'>' && markup[end] != L'<') end++;
            if (end < n && markup[end] == L'>') {
                if (!flush()) return -1;
                int kind = ApplyTag(markup + i + 1, end - i - 1, style, linkStart, linkLength);
                if (kind != kRunText && !AddRun(kind, style, runStart, 0, linkStart, linkLength)) return -1;
                i = end + 1;
                continue;
            }
            plain_.AppendChar(c);  // a lone "<" is text
            i++;
        } else if (c == L'&') {
            WCHAR decoded;
            i += DecodeEntity(markup + i, n - i, &decoded);
            plain_.AppendChar(decoded);
        } else if (c == L'\n') {
            if (!flush() || !AddRun(kRunBreak, style, runStart, 0, linkStart, linkLength)) return -1;
            i++;
        } else if (c == L'\r') {
            i++;
        } else {
            int start = i;
            while (i < n && markup[i] != L'<' && markup[i] != L'&' && markup[i] != L'\n' && markup[i] != L'\r') i++;
            plain_.AppendTextN(markup + start, i - start);
        }
    }
    if (!flush()) return -1;
    return runCount_;
}

AIString& TextMarkup::Escape(const WCHAR* text, AIString& out)
{
    int n = TextLength(text);
    for (int i = 0; i < n;) {
        int start = i;
        while (i < n && text[i] != L'<' && text[i] != L'>' && text[i] != L'&') i++;
        out.AppendTextN(text + start, i - start);
        if (i >= n) break;
        out.AppendText(text[i] == L'<' ? L"&lt;" : text[i] == L'>' ? L"&gt;" : L"&amp;");
        i++;
    }
    return out;
}

AIString& TextMarkup::StripTags(const WCHAR* markup, AIString& out)
{
    TextMarkup parsed;
    out.Clear();
    if (parsed.Parse(markup) < 0) return out;
    const WCHAR* plain = parsed.GetPlainText().GetText();
    for (int i = 0; i < parsed.GetRunCount(); i++) {
        const TextRun& run = parsed.GetRun(i);
        if (run.kind == kRunText) out.AppendTextN(plain + run.start, run.length);
        else if (run.kind == kRunParagraph) out.AppendText(L"\r\n\r\n");
        else out.AppendText(L"\r\n");
    }
    return out;
}
