// libFuzzer target for the files other machines write into the sync and
// share folders: a note's UTF-8 copy, the file list, the edit markers (and
// the store's own base, which has the same form). Bytes that are not
// well-formed UTF-8 are refused; a line file is either refused whole or
// every line is found by its title, its fields read inside the text, and it
// is written back to the same text. A copy's text, tidied as the store takes
// it, ends with its link block and stays as it is when tidied again.
#include "fuzz/fuzz_text_input.h"
#include "notestore/sync/sync_table.h"
#include "notestore/sync/edit_markers.h"
#include "notestore/sync/copy_text.h"
#include "notestore/datafile_format.h"
#include <string.h>

namespace {

void CheckTable(const AIString& text, const WCHAR* header, int32_t fields)
{
    SyncTable table;
    if (!table.Parse(text.GetText(), text.GetLength(), header, fields)) {
        FUZZ_CHECK(table.Count() == 0);
        return;
    }
    AIString title, composed, again;
    for (int32_t i = 0; i < table.Count(); i++) {
        table.TitleAt(i, title);
        FUZZ_CHECK(table.Find(title.GetText(), title.GetLength()) == i);
        for (int32_t f = 0; f < fields; f++) {
            const WCHAR* field;
            int32_t len;
            FUZZ_CHECK(table.Field(i, f, &field, &len) == 1 && len >= 0);
            table.FieldHex(i, f);
        }
        const WCHAR* none;
        int32_t len;
        FUZZ_CHECK(table.Field(i, fields, &none, &len) == 0);
    }
    table.Compose(header, composed);
    SyncTable read;
    FUZZ_CHECK(read.Parse(composed.GetText(), composed.GetLength(), header, fields));
    read.Compose(header, again);
    FUZZ_CHECK(again.EqualsString(composed));
    // The markers' rules over whatever the file held.
    if (fields == kMarkerFields && table.Count() > 0) {
        AIString holder;
        table.TitleAt(0, title);
        IsMarkedByOther(table, title.GetText(), 1, 2, holder);
        RefreshMarkers(table, table.FieldHex(0, 0), 3);
        RemoveOwnMarker(table, title.GetText(), 1);
    }
}

void CheckCopyText(const AIString& text)
{
    AIString tidy, again, stored;
    TidyCopyText(text.GetText(), text.GetLength(), tidy);
    AIString withoutNuls;
    for (int32_t i = 0; i < text.GetLength(); i++)
        if (text.GetText()[i]) withoutNuls.AppendChar(text.GetText()[i]);
    if (!tidy.EqualsString(withoutNuls)) {
        // A tidied text ends with its block, which the store finds as such.
        FUZZ_CHECK(FindLinkBlock(tidy.GetText(), tidy.GetLength()) < tidy.GetLength());
    }
    TidyCopyText(tidy.GetText(), tidy.GetLength(), again);
    FUZZ_CHECK(again.EqualsString(tidy));
    CopyTextAsStored(text.GetText(), text.GetLength(), stored);
    FUZZ_CHECK(FindLinkBlock(stored.GetText(), stored.GetLength()) < stored.GetLength());
    FUZZ_CHECK(SameTextAsStored(text.GetText(), text.GetLength(), stored.GetText(), stored.GetLength()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AIString text;
    int32_t decoded = Utf8ToText(data, (int64_t)size, text);
    int32_t wellFormed = IsWellFormedUtf8(data, (int64_t)size);
    bool marked = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF;
    if (!marked) FUZZ_CHECK(decoded == wellFormed);
    if (!decoded) return 0;
    // A well-formed copy goes back to the same bytes.
    if (!marked) {
        int64_t back = 0;
        uint8_t* bytes = TextToUtf8(text.GetText(), text.GetLength(), &back);
        FUZZ_CHECK(bytes && back == (int64_t)size && memcmp(bytes, data, size) == 0);
        LocalFree(bytes);
    }
    static const WCHAR kListHeader[] = L"tavik-files 1";
    static const WCHAR kStateHeader[] = L"tavik-state 1";
    CheckTable(text, kListHeader, 4);
    CheckTable(text, kStateHeader, 2);
    CheckTable(text, kMarkerHeader, kMarkerFields);
    CheckCopyText(text);
    return 0;
}
