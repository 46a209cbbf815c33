// The note dialogs' field rules.
#include "editor/dialogs/note_title_rules.h"
#include "notestore/datafile_format.h"

namespace {

// Searched in this order; the first one present is the one reported.
const WCHAR kForbidden[] = {0x00A4, L'{', L'}', L'[', L']', L'#', L'!', L'@', 0x00A3, L'$', 0x00A7, L'*',
                            L'?', L'=', L'/', L'.', L';', L':', L'<', L'>', L'+', L'|', L'%', L'&',
                            0x20AC, 0x00B1, 0x2026, 0x00BD, L'\\', L'\'', L'"', L',', 0x00B4, 0x2019,
                            0x2018, L'`', L'^', L'\t', 0};
const WCHAR kParenthesesAndDash[] = L"()-";

// Dropped from a hyperlink's title field; rename and new note drop more.
const WCHAR kHyperlinkDrop[] = {0x00BD, 0x00A4, L'{', L'}', L'[', L']', L'#', L'!', L'@', 0x00A3, L'$', L'*',
                                L'?', L'=', L'/', L'.', L';', L':', L'<', L'>', L'+', L'|', L'%', L'&',
                                0x20AC, L'\'', L'"', L',', L'(', L')', L'\\', L'\r', L'\n', L'\t', 0};

int Contains(const WCHAR* set, WCHAR c)
{
    for (; *set; set++)
        if (*set == c) return 1;
    return 0;
}

int StartsWithNoCase(const WCHAR* text, const WCHAR* prefix)
{
    for (; *prefix; text++, prefix++) {
        if (!*text) return 0;
        WCHAR a = *text, b = *prefix;
        if (a >= L'A' && a <= L'Z') a = (WCHAR)(a + 32);
        if (b >= L'A' && b <= L'Z') b = (WCHAR)(b + 32);
        if (a != b) return 0;
    }
    return 1;
}

int CountChar(const WCHAR* text, WCHAR c)
{
    int n = 0;
    for (; *text; text++)
        if (*text == c) n++;
    return n;
}

// A path to a file, never a web address: "file:" or "rel:" in front, a drive
// (":\\"), or a backslash within the first three characters.
int IsPathLink(const WCHAR* lower)
{
    if (StartsWithNoCase(lower, L"file:") || IsRelativePathText(lower)) return 1;
    AIString text(lower);
    if (text.FindText(L":\\") >= 0) return 1;
    int backslash = text.FindChar(L'\\', 0);
    return backslash >= 0 && backslash < 3;
}

// "www." + text when it holds one full stop, else "http://" + text.
void AddWebPrefix(const WCHAR* text, AIString& out)
{
    out.AssignText(CountChar(text, L'.') == 1 ? L"www." : L"http://");
    out.AppendText(text);
}

}  // namespace

int FindForbiddenTitleChar(const WCHAR* title, int blanksAllowed, int parenthesesAndDashAllowed, int* code)
{
    *code = kCodeNone;
    if (!title) return -1;
    if (!blanksAllowed)
        for (int i = 0; title[i]; i++)
            if (title[i] == L' ') {
                *code = kCodeBlank;
                return i;
            }
    AIString text(title);
    for (const WCHAR* c = kForbidden; *c; c++) {
        int at = text.FindChar(*c, 0);
        if (at >= 0) {
            *code = kCodeSpecial;
            return at;
        }
    }
    if (!parenthesesAndDashAllowed)
        for (const WCHAR* c = kParenthesesAndDash; *c; c++) {
            int at = text.FindChar(*c, 0);
            if (at >= 0) {
                *code = kCodeSpecial;
                return at;
            }
        }
    return -1;
}

void CleanTitleForField(const WCHAR* title, TitleFieldSet set, AIString& out)
{
    out.Clear();
    if (!title) return;
    for (const WCHAR* c = title; *c; c++) {
        if (Contains(kHyperlinkDrop, *c)) continue;
        if (set != kFieldHyperlink && *c == L'-') continue;
        if (set == kFieldRename && *c == 0x00B1) continue;
        out.AppendChar(set != kFieldHyperlink && *c == L'_' ? L' ' : *c);
    }
    out.Trim();
}

int FindShortWord(const WCHAR* title, int* position)
{
    int word = 0, i = 0;
    while (title && title[i]) {
        while (title[i] == L' ') i++;
        if (!title[i]) break;
        int start = i;
        while (title[i] && title[i] != L' ') i++;
        if (i - start < 2) {
            if (position) *position = start;
            return word;
        }
        word++;
    }
    return -1;
}

int NormaliseLinkTarget(const WCHAR* title, const WCHAR* link, const LinkRules& rules, AIString& target)
{
    AIString label(title), text(link);
    label.Trim();
    text.Trim();
    AIString lower(text);
    lower.ToLowerCase();
    target.Clear();
    int path = IsPathLink(lower.GetText());
    if (label.IsEmpty() && !path) {
        // A link without a title: an automatic hyperlink.
        if (lower.FindText(L"http://") >= 0 || lower.FindText(L"https://") >= 0 || lower.FindText(L"www.") >= 0) {
            target.Copy(text);
            return kCodeNone;
        }
        if (lower.FindChar(L'@', 0) < 0 && lower.FindChar(L'.', 0) > 0) {
            AddWebPrefix(text.GetText(), target);
            return kCodeNone;
        }
    }
    if (!path && lower.FindChar(L'@', 0) >= 0 && !StartsWithNoCase(lower.GetText(), L"http")) {
        if (!StartsWithNoCase(lower.GetText(), L"mailto:")) target.AssignText(L"mailto:");
        target.AppendString(text);
        return kCodeNone;
    }
    if (label.IsEmpty()) return text.IsEmpty() ? kCodeEmpty : kCodeInUse;
    if (text.IsEmpty()) return kCodeEmpty;
    if (lower.FindText(L"http:://") >= 0) return kCodeShortWord;
    // A path: a backslash within its first three characters.
    int backslash = lower.FindChar(L'\\', 0);
    if (backslash >= 0 && backslash < 3 && !StartsWithNoCase(lower.GetText(), L"file:")) {
        AIString withPrefix(L"file:");
        withPrefix.AppendString(text);
        text.Copy(withPrefix);
        lower.Copy(text);
        lower.ToLowerCase();
    }
    if (StartsWithNoCase(lower.GetText(), L"file:")) {
        if (!MakeRelativeToFolder(text.GetText() + 5, rules.dataFolder, target)) target.Copy(text);
        return kCodeNone;
    }
    if (lower.FindText(L":\\") >= 0 || lower.FindText(L"://") >= 0 || IsRelativePathText(lower.GetText())) {
        target.Copy(text);
        return kCodeNone;
    }
    if (lower.FindChar(L'.', 0) >= 0) {
        AddWebPrefix(text.GetText(), target);
        return kCodeNone;
    }
    if (rules.noteExists && rules.noteExists(text.GetText())) {
        target.Copy(text);
        return kCodeNone;
    }
    return kCodeEmpty;
}

const WCHAR* NoteDialogMessage(int kind, int code, int linkFieldEmpty)
{
    if (code == kCodeSpecial) return L"Special characters not allowed";
    if (code == kCodeBlank) return L"Space not allowed in title";
    if (kind == 1) {
        switch (code) {
        case kCodeEmpty: return linkFieldEmpty ? L"Empty link not allowed" : L"Unknown link";
        case kCodeInUse: return L"Empty title not allowed";
        case kCodeShortWord: return L"Incorrect hyperlink";
        case kCodeLabelExists: return L"Link title already exists";
        case kCodeExistingLink: return L"Existing Link";
        case kCodePortableLocal: return L"Local links won't work when portable";
        default: return L"";
        }
    }
    switch (code) {
    case kCodeEmpty: return L"Empty title not allowed";
    case kCodeInUse: return kind == 9 ? L"The title is in use" : L"The title is already in use";
    case kCodeShortWord: return kind == 10 ? L"Minimum 2 characters (per word)" : L"";
    default: return L"";
    }
}
