// libFuzzer target for the image list cache reader: any text either gives a
// sorted list of well-formed image items or an empty list (and a rescan);
// an accepted list written out reads back the same.
#include "fuzz/fuzz_text_input.h"
#include "dialogs/images/image_list_rules.h"
#include "foundation/ai_string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AIString text;
    TextFromBytes(data, size, text);
    AIStringTable list;
    int accepted = ParseImageListCache(text.GetText(), list);
    if (!accepted) {
        FUZZ_CHECK(list.GetCount() == 0);
        return 0;
    }
    FUZZ_CHECK(list.GetCount() > 0);
    AIString key, value, name, expectedKey;
    for (int i = 0; i < list.GetCount(); i++) {
        list.GetKeyAt(i, key);
        list.GetValueAt(i, value);
        FUZZ_CHECK(value.StartsWith(kImageListValuePrefix));
        ImageFileNameOf(value.GetText(), name);
        FUZZ_CHECK(IsListedImageName(name.GetText()) && !HasReservedImageChars(name.GetText()));
        MakeImageListKey(name.GetText(), expectedKey);
        FUZZ_CHECK(key.EqualsString(expectedKey));
    }
    AIString joined(list.GetJoined());
    AIStringTable again;
    FUZZ_CHECK(ParseImageListCache(joined.GetText(), again) == 1);
    FUZZ_CHECK(again.GetCount() == list.GetCount());
    return 0;
}
