// libFuzzer target for AIStringList: any joined text gives items that lie
// end to end, each followed by its separator, and reads back the same; the
// edits keep that true.
#include "fuzz/fuzz_text_input.h"
#include "foundation/ai_string_list.h"

namespace {

void CheckItems(const AIStringList& list)
{
    const AIString& joined = list.GetJoined();
    int count = list.GetCount();
    FUZZ_CHECK(count >= 0);
    if (!count) return;
    const WCHAR* at = joined.GetText();
    for (int i = 0; i < count; i++) {
        const WCHAR* start = list.ItemStart(i);
        int length = list.ItemLength(i);
        FUZZ_CHECK(start == at && length >= 0);
        FUZZ_CHECK(start + length < joined.GetText() + joined.GetLength() + 1);
        FUZZ_CHECK(start[length] == AIStringList::kSeparator);
        at = start + length + 1;
    }
    FUZZ_CHECK(at == joined.GetText() + joined.GetLength());
    FUZZ_CHECK(!list.ItemStart(count) && !list.ItemStart(-1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    AIString text;
    TextFromBytes(data + 1, size - 1, text);
    AIStringList list;
    if (!list.AssignJoined(text.GetText())) return 0;
    CheckItems(list);

    // The joined form parses to the same items.
    AIString joined(list.GetJoined());
    AIStringList again;
    FUZZ_CHECK(again.AssignJoined(joined.GetText()));
    FUZZ_CHECK(again.GetCount() == list.GetCount());
    AIString a, b;
    for (int i = 0; i < list.GetCount(); i++) {
        list.GetItemTextMode(i, a, 1);
        again.GetItemTextMode(i, b, 1);
        FUZZ_CHECK(a.EqualsString(b));
        FUZZ_CHECK(a.GetLength() == list.ItemLength(i));
        list.GetItemTextMode(i, a, 0);
        FUZZ_CHECK(a.GetLength() <= list.ItemLength(i));
    }

    // The cursor walks every item once.
    int walked = 0;
    while (list.HasNext()) {
        FUZZ_CHECK(list.GetNext(a) == walked);
        walked++;
    }
    FUZZ_CHECK(walked == list.GetCount());

    // Edits chosen by the first byte, with pieces of the text itself.
    uint8_t ops = data[0];
    int count = list.GetCount();
    AIString piece;
    list.GetItemTextMode(count ? (ops % count) : 0, piece, 1);
    if (ops & 1) list.AddString(piece.GetText());
    if (ops & 2) list.RemoveItem(count ? (ops >> 2) % count : 0);
    if (ops & 4) list.SetItemText(list.GetCount() ? (ops >> 3) % list.GetCount() : 0, text.GetText());
    if (ops & 8) list.SetItemInt(0, -2147483647 - 1);
    CheckItems(list);
    list.FindItemString(piece.GetText(), ops & 16 ? 1 : 0);
    list.FindItemExact(piece.GetText());
    AIStringList copy;
    if (copy.CopyFrom(list)) FUZZ_CHECK(copy.GetCount() == list.GetCount());
    return 0;
}
