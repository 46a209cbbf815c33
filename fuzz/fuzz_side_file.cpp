// libFuzzer target for a note's side files: any bytes read as a mirror give
// a text of bounded length (never more characters than bytes), and that text
// gives a record that starts with the note's mark and title line, holds no
// other mark, and reads back as itself when written out and read again as a
// mirror. A title taken from the text's first line names a side file whose
// base holds no character a file system refuses and gives the title back.
#include "fuzz/fuzz_text_input.h"
#include "notestore/datafile_format.h"
#include "notestore/side_file_text.h"

namespace {

const WCHAR kTitle[] = L"Side_note";

void CheckRecord(const AIString& text)
{
    AIString record;
    MirrorRecordFromText(kTitle, text.GetText(), text.GetLength(), record);
    const WCHAR* r = record.GetText();
    int32_t len = record.GetLength();
    const int32_t head = 1 + TextLength(kTitle) + 2;
    FUZZ_CHECK(len >= head && r[0] == kNoteMark && r[head - 2] == L'\r' && r[head - 1] == L'\n');
    FUZZ_CHECK(FindBodyStart(r, len) == head);
    for (int32_t i = 1; i < len; i++) FUZZ_CHECK(r[i] != kNoteMark && r[i] != 0);
    // A body grows at most threefold in cleaning; the link block's lines
    // come from the text.
    FUZZ_CHECK(len <= head + 3 * text.GetLength() + 16);
    // The record is what the store writes to the mirror; read again it stays.
    AIString again;
    MirrorRecordFromText(kTitle, r, len, again);
    FUZZ_CHECK(SameText(record, again));
}

bool RefusedInName(WCHAR ch)
{
    if (ch < L' ') return true;
    switch (ch) {
    case L'\\': case L'/': case L':': case L'*': case L'?': case L'"': case L'<': case L'>': case L'|': return true;
    default: return false;
    }
}

void CheckSideFileName(const AIString& text)
{
    const WCHAR* t = text.GetText();
    int32_t n = 0;
    while (n < text.GetLength() && n < kMaxTitleChars && t[n] != L'\r' && t[n] != L'\n') n++;
    AIString title, base, back;
    title.AssignTextN(t, n);
    // Any base read from a folder gives some title without trouble.
    TitleFromSideFileBase(t, n, back);
    FUZZ_CHECK(back.GetLength() <= n);
    if (!IsValidStoredTitle(title.GetText(), title.GetLength())) return;
    MakeSideFileBase(title.GetText(), base);
    const WCHAR* b = base.GetText();
    for (int32_t i = 0; i < base.GetLength(); i++) {
        FUZZ_CHECK(!RefusedInName(b[i]));
        if (IS_HIGH_SURROGATE(b[i])) FUZZ_CHECK(i + 1 < base.GetLength() && IS_LOW_SURROGATE(b[i + 1]));
        if (IS_LOW_SURROGATE(b[i])) FUZZ_CHECK(i > 0 && IS_HIGH_SURROGATE(b[i - 1]));
    }
    TitleFromSideFileBase(b, base.GetLength(), back);
    FUZZ_CHECK(SameText(title, back));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AIString text;
    int32_t ok = DecodeNoteTextBytes(data, (int64_t)size, text);
    FUZZ_CHECK(ok == 1);
    FUZZ_CHECK(text.GetLength() <= (int32_t)size);
    if (size > 3) FUZZ_CHECK(text.GetLength() > 0);
    CheckRecord(text);
    CheckSideFileName(text);
    return 0;
}
