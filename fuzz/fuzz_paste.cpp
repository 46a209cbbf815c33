// libFuzzer target for the paste's decisions on clipboard text. The input is
// the pasted text, then (after a zero unit) the note's links, one
// "label=target" a line. Line ends: the clipboard form has every paragraph
// end as CR LF, the editor form as one CR, each form of the other's gives
// the same text back, and the note counts the editor form as long as the
// clipboard form. A pasted address is one line of "http(s)://" shorter than
// the limit; a pasted path is one line with a drive or share; a pasted
// file's plan puts its name under the data folder and gives it a label
// without brackets or reserved marks. Carried links: every copied link is
// one of the note's, a paste into a note without them adds each pasted one
// and clashes with none, and a second paste of the same text clashes with
// each and changes nothing.
#include "fuzz/fuzz_text_input.h"
#include "editor/clipboard/clipboard_rules.h"
#include "editor/links/link_describe.h"
#include "foundation/ai_string_table.h"
#include "notestore/datafile_format.h"
#include <vector>

namespace {

const WCHAR kDataFolder[] = L"C:\\Notes\\";

void CheckLineEnds(const AIString& text)
{
    AIString clip(text), editor(text);
    ToClipboardLineEnds(clip);
    ToEditorLineEnds(editor);
    const WCHAR* c = clip.GetText();
    for (int32_t i = 0; i < clip.GetLength(); i++) {
        if (c[i] == L'\r') FUZZ_CHECK(i + 1 < clip.GetLength() && c[i + 1] == L'\n');
        if (c[i] == L'\n') FUZZ_CHECK(i > 0 && c[i - 1] == L'\r');
    }
    FUZZ_CHECK(editor.FindChar(L'\n') < 0);
    FUZZ_CHECK(NoteCountedLength(editor.GetText(), editor.GetLength()) == clip.GetLength());
    AIString back(clip);
    ToEditorLineEnds(back);
    FUZZ_CHECK(SameText(back, editor));
    AIString forth(editor);
    ToClipboardLineEnds(forth);
    FUZZ_CHECK(SameText(forth, clip));
    int32_t counted = NoteCountedLength(editor.GetText(), editor.GetLength());
    FUZZ_CHECK(PasteExceedsLimit(0, 0, counted) == (counted > kMaxNoteChars));
    FUZZ_CHECK(!PasteExceedsLimit(counted, counted, counted));
}

void CheckAddressAndPath(const AIString& text)
{
    const WCHAR* t = text.GetText();
    int32_t n = text.GetLength();
    if (IsPastedAddress(t, n)) {
        FUZZ_CHECK(n < kPastedAddressMaxChars);
        FUZZ_CHECK(text.StartsWithNoCase(L"http://") || text.StartsWithNoCase(L"https://"));
        for (int32_t i = 0; i < n; i++) FUZZ_CHECK(t[i] != L' ' && t[i] != L'\t' && t[i] != L'\r' && t[i] != L'\n');
    }
    AIString path;
    if (PastedFilePathForm(t, n, path)) {
        FUZZ_CHECK(path.GetLength() >= 3 && path.GetLength() < MAX_PATH && path.GetLength() <= n);
        FUZZ_CHECK(path.FindChar(L'\r') < 0 && path.FindChar(L'\n') < 0);
        FUZZ_CHECK((path.CharAt(1) == L':' && path.CharAt(2) == L'\\') ||
                   (path.CharAt(0) == L'\\' && path.CharAt(1) == L'\\'));
    }
    PastedFilePlan plan;
    if (!PlanPastedFile(t, kDataFolder, plan)) {
        FUZZ_CHECK(n == 0 || t[n - 1] == L'\\');
        return;
    }
    FUZZ_CHECK(!plan.name.IsEmpty() && plan.name.FindChar(L'\\') < 0 && plan.name.GetLength() <= n);
    FUZZ_CHECK(SameText(plan.name, AIString().AssignTextN(t + n - plan.name.GetLength(), plan.name.GetLength())));
    AIString expected(kDataFolder);
    expected.AppendText(plan.isImage ? L"images\\" : L"files\\").AppendString(plan.name);
    FUZZ_CHECK(SameText(plan.destination, expected));
    FUZZ_CHECK(plan.label.GetLength() <= plan.name.GetLength());
    for (int32_t i = 0; i < plan.label.GetLength(); i++) {
        WCHAR c = plan.label.GetText()[i];
        FUZZ_CHECK(c != L'[' && c != L']' && c != kNoteMark && c != kLinkColonMark);
    }
}

// The note's links: "label=target" lines; the label as the table keeps it.
void ReadNoteLinks(const std::vector<WCHAR>& units, size_t from, AIStringTable& links)
{
    AIString line, label, target;
    size_t start = from;
    for (size_t i = from; i <= units.size(); i++) {
        if (i < units.size() && units[i] != L'\n') continue;
        line.AssignTextN(units.data() + start, (int)(i - start));
        start = i + 1;
        int eq = line.FindChar(L'=');
        if (eq <= 0) continue;
        label.AssignTextN(line.GetText(), eq);
        target.AssignTextN(line.GetText() + eq + 1, line.GetLength() - eq - 1);
        if (label.FindChar(kNoteMark) >= 0 || target.FindChar(kNoteMark) >= 0 || target.IsEmpty()) continue;
        LabelToTableKey(label);
        links.SetKeyValueString(label.GetText(), target.GetText());
    }
}

void CheckCarriedLinks(const AIString& text, const AIStringTable& noteLinks)
{
    AIStringTable copied(1);
    CollectCopiedLinks(text.GetText(), text.GetLength(), noteLinks, copied);
    AIString key, value, theirs;
    for (int i = 0; i < copied.GetCount(); i++) {
        copied.GetKeyAt(i, key);
        copied.GetValueAt(i, value);
        FUZZ_CHECK(noteLinks.IndexOfKeyStringExact(key.GetText()) >= 0);
        noteLinks.GetValueOfKeyString(key.GetText(), theirs);
        FUZZ_CHECK(SameText(value, theirs));
    }
    AIStringTable other(0);
    int32_t clashes = MergeCopiedLinks(copied, text.GetText(), text.GetLength(), other);
    FUZZ_CHECK(clashes == 0);
    FUZZ_CHECK(other.GetCount() == copied.GetCount());
    AIString before(other.GetJoined());
    int32_t again = MergeCopiedLinks(copied, text.GetText(), text.GetLength(), other);
    FUZZ_CHECK(again == copied.GetCount());
    FUZZ_CHECK(SameText(before, AIString(other.GetJoined())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<WCHAR> units;
    for (size_t i = 0; i + 1 < size; i += 2) units.push_back((WCHAR)(data[i] | (data[i + 1] << 8)));
    size_t cut = 0;
    while (cut < units.size() && units[cut]) cut++;
    if (cut > (size_t)kPasteMaxChars) cut = kPasteMaxChars;
    AIString text;
    text.AssignTextN(units.data(), (int)cut);
    CheckLineEnds(text);
    CheckAddressAndPath(text);
    AIStringTable noteLinks(0);  // as the store keeps a note's links
    ReadNoteLinks(units, cut + 1, noteLinks);
    CheckCarriedLinks(text, noteLinks);
    return 0;
}
