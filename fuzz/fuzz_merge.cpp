// libFuzzer target for the three-way merge of a note changed here and in the
// data file outside: the input's first byte says which versions exist and
// whether the note changed here, the rest is a title and the three texts
// parted by zero units. No version is ever lost (the text kept here or taken
// from outside is one of the versions), a conflict copy is only made of a
// text that differs from the one kept, and the copy's title is a valid
// stored title of at most the title length, unique against the taken ones.
#include "fuzz/fuzz_text_input.h"
#include "notestore/datafile_format.h"
#include "notestore/note_merge.h"
#include <vector>

namespace {

// The note's own title is taken, as it is in the store, and so are the
// first `left` others asked about.
struct Taken {
    const WCHAR* title;
    int32_t left;
};

int32_t IsTaken(const WCHAR* candidate, void* context)
{
    Taken* taken = static_cast<Taken*>(context);
    if (CompareTextNoCase(candidate, taken->title) == 0) return 1;
    return taken->left-- > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    uint8_t flags = data[0];
    std::vector<WCHAR> units;
    for (size_t i = 1; i + 1 < size; i += 2) units.push_back((WCHAR)(data[i] | (data[i + 1] << 8)));
    // The title, then base, here and outside, each up to the next zero.
    std::vector<std::vector<WCHAR>> parts(4);
    size_t part = 0;
    for (WCHAR unit : units) {
        if (unit == 0 && part < 3) {
            part++;
            continue;
        }
        parts[part].push_back(unit);
    }
    for (auto& p : parts) p.push_back(0);
    NoteVersion versions[3];
    for (int v = 0; v < 3; v++) {
        bool present = (flags >> v) & 1;
        versions[v] = {present ? parts[v + 1].data() : nullptr, present ? (int32_t)parts[v + 1].size() - 1 : 0};
    }
    const NoteVersion& base = versions[0];
    const NoteVersion& here = versions[1];
    const NoteVersion& outside = versions[2];
    int32_t hereChanged = (flags >> 3) & 1;
    NoteMergeAction action = DecideNoteMerge(base, here, hereChanged, outside);
    FUZZ_CHECK(SameNoteVersion(here, here) && SameNoteVersion(base, base));
    FUZZ_CHECK(SameNoteVersion(here, outside) == SameNoteVersion(outside, here));
    switch (action) {
    case kMergeTakeOutside:
        // Only a note unchanged here, or deleted here while edited outside, gives way.
        FUZZ_CHECK(!hereChanged || !here.text);
        break;
    case kMergeKeepHere: FUZZ_CHECK(hereChanged && here.text); break;
    case kMergeDropDeletedHere: FUZZ_CHECK(hereChanged && !here.text && SameNoteVersion(base, outside)); break;
    case kMergeKeepBoth:
        FUZZ_CHECK(hereChanged && here.text && outside.text && !SameNoteVersion(here, outside));
        FUZZ_CHECK(!SameNoteVersion(base, outside));
        break;
    default: FUZZ_CHECK(false);
    }
    // The copy's title.
    const WCHAR* title = parts[0].data();
    int32_t titleLen = (int32_t)parts[0].size() - 1;
    if (!IsValidStoredTitle(title, titleLen)) return 0;
    Taken taken = {title, (int32_t)(flags >> 4)};
    AIString copy;
    if (MakeOtherCopyTitle(title, IsTaken, &taken, copy)) {
        FUZZ_CHECK(IsValidStoredTitle(copy.GetText(), copy.GetLength()));
        FUZZ_CHECK(copy.GetLength() <= kMaxTitleChars);
        FUZZ_CHECK(!copy.EqualsString(AIString(title)));
    } else {
        FUZZ_CHECK(copy.IsEmpty());
    }
    return 0;
}
