// Text rules of link previews.
#include "search/preview/preview_target.h"

namespace {

// Characters a web cache file's name never holds.
const WCHAR kCacheKeyDropped[] = L"\u00BD\u00A4{}[]#!@\u00A3$-*?=/.;:<>+|%&\u20AC\u00B1'\",()\\\r\n\t";

const WCHAR* const kWebPrefixes[] = {L"automatic hyperlink: ", L"hyperlink: ", L"https:", L"http:"};

void RemoveAll(AIString& text, const WCHAR* part)
{
    int at;
    while ((at = text.FindTextCase(part)) >= 0) text.DeleteRange(at, TextLength(part));
}

}  // namespace

int IsWebLinkText(const WCHAR* link)
{
    AIString text(link ? link : L"");
    return text.StartsWithNoCase(L"hyperlink:") || text.StartsWithNoCase(L"automatic hyperlink:") ||
                   text.StartsWithNoCase(L"http")
               ? 1
               : 0;
}

PreviewKind ClassifyPreviewTarget(const WCHAR* link)
{
    AIString text;
    StripOpenFilePrefix(link, text);
    text.Trim();
    if (text.IsEmpty()) return kPreviewNothing;
    if (IsWebLinkText(text.GetText()) || text.StartsWithNoCase(L"www.")) return kPreviewWebPage;
    bool drive = text.GetLength() > 2 && text.CharAt(1) == L':' && text.CharAt(2) == L'\\';
    bool file = drive || text.StartsWith(L"\\\\") || text.StartsWithNoCase(L"file:") ||
                text.StartsWithNoCase(L"rel:");
    if (!file) {
        // A scheme ("mailto:", "ftp:", "javascript:") is nothing to preview; a title is a note.
        int colon = text.FindChar(L':');
        bool scheme = colon > 1;
        for (int i = 0; scheme && i < colon; i++) {
            WCHAR c = text.CharAt(i);
            scheme = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
                     c == L'+' || c == L'-' || c == L'.';
        }
        return scheme ? kPreviewNothing : kPreviewNote;
    }
    static const WCHAR* const kImageExtensions[] = {L"jpg", L"png", L"bmp", L"gif",
                                                    L"ico", L"tif", L"tga", L"pcx"};
    for (const WCHAR* ext : kImageExtensions)
        if (HasExtensionNoCase(text.GetText(), ext)) return kPreviewImage;
    return HasExtensionNoCase(text.GetText(), L"rtf") ? kPreviewRtfFile : kPreviewTextFile;
}

void StripOpenFilePrefix(const WCHAR* link, AIString& out)
{
    out.AssignText(link ? link : L"");
    if (out.StartsWithNoCase(L"Open file:")) out.DeleteRange(0, TextLength(L"Open file:"));
}

void WebCacheKey(const WCHAR* target, AIString& key)
{
    key.AssignText(target ? target : L"");
    RemoveAll(key, L"Open file:");
    RemoveAll(key, L"Hyperlink:");
    key.Trim();
    for (const WCHAR* prefix : kWebPrefixes) {
        if (key.StartsWithNoCase(prefix)) key.DeleteRange(0, TextLength(prefix));
    }
    key.RemoveChars(kCacheKeyDropped);
    key.Trim();
    if (key.GetLength() > kWebCacheKeyChars) key.SetLength(kWebCacheKeyChars);
    key.Trim();
}

void WebCachePath(const WCHAR* notesFolder, const WCHAR* target, AIString& path)
{
    AIString key;
    WebCacheKey(target, key);
    path.Clear();
    if (key.IsEmpty() || !notesFolder || !*notesFolder) return;
    path.AssignText(notesFolder).AppendText(L"txt\\").AppendString(key).AppendText(L".txt");
}

void WebShownName(const WCHAR* target, AIString& name)
{
    name.AssignText(target ? target : L"");
    int at = name.FindText(L"www.");
    if (at >= 0)
        name.DeleteRange(0, at + 4);
    else if ((at = name.FindChar(L':')) >= 0)
        name.DeleteRange(0, at + 1);
    while (name.CharAt(0) == L'/') name.DeleteRange(0, 1);
    int dot = name.FindChar(L'.');
    if (dot >= 0) name.SetLength(dot);
    name.Trim();
}

int HasExtensionNoCase(const WCHAR* path, const WCHAR* ext)
{
    AIString name(path ? path : L"");
    int dot = name.FindChar(L'.', true);
    if (dot < 0 || name.FindChar(L'\\', true) > dot) return 0;
    return name.GetLength() - dot - 1 == TextLength(ext) &&
           AIString(name.GetText() + dot + 1).EqualsTextNoCase(ext);
}

void TextFileCaption(const WCHAR* shownPath, int isPdfText, AIString& caption)
{
    AIString name(shownPath ? shownPath : L"");
    int slash = name.FindChar(L'\\', true);
    if (slash >= 0) name.DeleteRange(0, slash + 1);
    const int kPdfTextEnding = 8;  // ".pdf.txt"
    if (isPdfText && name.GetLength() > kPdfTextEnding) name.SetLength(name.GetLength() - kPdfTextEnding);
    int dict = name.FindText(L".dict.");
    if (dict >= 0) {
        name.SetLength(dict);
        caption.AssignText(L"Dictionary: ");
    } else {
        caption.AssignText(isPdfText ? L"Preview PDF file: " : L"Preview text file: ");
    }
    caption.AppendString(name).AppendText(L"\r\n");
}

void BreakDoubleCarriageReturns(AIString& text, int maxChars)
{
    int pairs = 0;
    const WCHAR* t = text.GetText();
    for (int i = 0; i + 1 < text.GetLength(); i++)
        if (t[i] == L'\r' && t[i + 1] == L'\r') pairs++;
    if (!pairs) return;
    AIString out;
    out.Reserve(text.GetLength() + pairs + 1);
    const int length = text.GetLength();
    for (int i = 0; i < length; i++) {
        out.AppendChar(t[i]);
        // The text itself is never cut: an LF goes in only while room is left for the rest.
        if (t[i] == L'\r' && i + 1 < length && t[i + 1] == L'\r' &&
            out.GetLength() + (length - i - 1) < maxChars)
            out.AppendChar(L'\n');
    }
    text.Copy(out);
}

int BoldFirstLineLength(const WCHAR* text, int length)
{
    int line = 0;
    while (line < length && text[line] != L'\r') line++;
    return line > 1 && line < kBoldFirstLineMaxChars ? line : 0;
}
