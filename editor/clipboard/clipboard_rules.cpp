// Line ends, lengths, pasted addresses and files, and carried links.
#include "editor/clipboard/clipboard_rules.h"
#include "editor/links/link_describe.h"
#include "foundation/ai_string_table.h"
#include "notestore/datafile_format.h"

namespace {

// Longest "[label]" looked at when links are collected (labels hold at most 30).
const int32_t kCollectedLabelMax = 100;

const WCHAR* const kPictureExtensions[] = {L".jpg", L".png", L".gif", L".bmp", L".tif", L".tga"};

int StartsWithNoCase(const WCHAR* text, int32_t length, const WCHAR* prefix)
{
    int32_t n = TextLength(prefix);
    if (length < n) return 0;
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text, n, prefix, n) == CSTR_EQUAL;
}

// Calls found(label, labelLength) for every "[label]" of the text.
template <typename Found> void EachBracketedLabel(const WCHAR* text, int32_t length, Found found)
{
    for (int32_t i = 0; i < length; i++) {
        if (text[i] != L'[') continue;
        int32_t j = i + 1;
        while (j < length && j - i <= kCollectedLabelMax && text[j] != L']' && text[j] != L'[' &&
               text[j] != L'\r')
            j++;
        if (j < length && text[j] == L']' && j > i + 1) {
            found(text + i + 1, j - i - 1);
            i = j;
        }
    }
}

void TableKeyOf(const WCHAR* label, int32_t length, AIString& key)
{
    key.AssignTextN(label, length);
    LabelToTableKey(key);
}

}  // namespace

void ToClipboardLineEnds(AIString& text)
{
    AIString out;
    out.Reserve(text.GetLength() + text.GetLength() / 8 + 1);
    const WCHAR* t = text.GetText();
    int32_t n = text.GetLength();
    for (int32_t i = 0; i < n; i++) {
        if (t[i] == L'\r') {
            out.AppendText(L"\r\n");
            if (i + 1 < n && t[i + 1] == L'\n') i++;
        } else if (t[i] == L'\n') {
            out.AppendText(L"\r\n");
        } else {
            out.AppendChar(t[i]);
        }
    }
    text.Copy(out);
}

void ToEditorLineEnds(AIString& text)
{
    text.ReplaceAll(L"\r\n", L"\r");
    text.ReplaceAll(L"\n", L"\r");
}

int32_t NoteCountedLength(const WCHAR* text, int32_t length)
{
    int32_t counted = length;
    for (int32_t i = 0; i < length; i++)
        if (text[i] == L'\r') counted++;
    return counted;
}

int PasteExceedsLimit(int32_t noteLength, int32_t replaced, int32_t added)
{
    int64_t after = (int64_t)noteLength - replaced + added;
    return after > kMaxNoteChars;
}

int IsPastedAddress(const WCHAR* text, int32_t length)
{
    if (length <= 0 || length >= kPastedAddressMaxChars) return 0;
    if (!StartsWithNoCase(text, length, L"http://") && !StartsWithNoCase(text, length, L"https://")) return 0;
    for (int32_t i = 0; i < length; i++)
        if (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\r' || text[i] == L'\n') return 0;
    return 1;
}

int PastedFilePathForm(const WCHAR* text, int32_t length, AIString& path)
{
    path.AssignTextN(text, length);
    path.Trim();
    if (path.GetLength() >= 2 && path.CharAt(0) == L'"' && path.CharAt(path.GetLength() - 1) == L'"')
        path.KeepRange(1, path.GetLength() - 2);
    if (path.GetLength() < 3 || path.GetLength() >= MAX_PATH) return 0;
    if (path.FindChar(L'\r') >= 0 || path.FindChar(L'\n') >= 0) return 0;
    int drive = path.CharAt(1) == L':' && path.CharAt(2) == L'\\';
    int share = path.CharAt(0) == L'\\' && path.CharAt(1) == L'\\';
    return drive || share;
}

int PlanPastedFile(const WCHAR* path, const WCHAR* dataFolder, PastedFilePlan& plan)
{
    plan.name.AssignText(path ? path : L"");
    int slash = plan.name.FindChar(L'\\', true);
    if (slash >= 0) plan.name.KeepRange(slash + 1, plan.name.GetLength() - slash - 1);
    if (plan.name.IsEmpty()) return 0;
    plan.isImage = 0;
    for (const WCHAR* extension : kPictureExtensions)
        if (plan.name.FindTextCase(extension, 1) >= 1) plan.isImage = 1;
    plan.destination.AssignText(dataFolder);
    plan.destination.AppendText(plan.isImage ? L"images\\" : L"files\\").AppendString(plan.name);
    plan.label.Copy(plan.name);
    int dot = plan.label.FindChar(L'.', true);
    if (dot > 0) plan.label.SetLength(dot);
    // A label shows in square brackets and is kept in the note's link table.
    plan.label.ReplaceAll(L"[", L"(");
    plan.label.ReplaceAll(L"]", L")");
    plan.label.RemoveChars(L"\x00A4\x00B1");
    return 1;
}

void CollectCopiedLinks(const WCHAR* text, int32_t length, const AIStringTable& noteLinks,
                        AIStringTable& copied)
{
    copied.Clear();
    AIString key, target;
    EachBracketedLabel(text, length, [&](const WCHAR* label, int32_t labelLength) {
        TableKeyOf(label, labelLength, key);
        if (copied.IndexOfKeyStringExact(key.GetText()) >= 0) return;
        if (noteLinks.IndexOfKeyStringExact(key.GetText()) < 0) return;
        noteLinks.GetValueOfKeyString(key.GetText(), target);
        copied.SetKeyValueString(key.GetText(), target.GetText());
    });
}

int32_t MergeCopiedLinks(const AIStringTable& copied, const WCHAR* pasted, int32_t length,
                         AIStringTable& noteLinks)
{
    int32_t clashes = 0;
    AIString key, carried;
    AIStringTable seen(1);
    EachBracketedLabel(pasted, length, [&](const WCHAR* label, int32_t labelLength) {
        TableKeyOf(label, labelLength, key);
        if (copied.IndexOfKeyStringExact(key.GetText()) < 0 || seen.IndexOfKeyStringExact(key.GetText()) >= 0)
            return;
        seen.SetKeyValueString(key.GetText(), L"");
        copied.GetValueOfKeyString(key.GetText(), carried);
        if (noteLinks.IndexOfKeyStringExact(key.GetText()) < 0) noteLinks.SetKeyValueString(key.GetText(), carried.GetText());
        else clashes++;
    });
    return clashes;
}
