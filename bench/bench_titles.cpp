#include "bench/bench_titles.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "notestore/note_store.h"

namespace {

const char* const kSyllables[] = {"ka",  "lo", "mi", "ren", "tas", "vo",  "pel", "dur", "sin", "ba",
                                  "ter", "go", "nu", "fay", "ri",  "mon", "el",  "zu",  "ha",  "qua"};
const int kTitleMax = 30;

}  // namespace

void MakeBenchTitles(int count)
{
    AIStringTable& index = *g_noteStore.noteIndex;
    unsigned seed = 4242;
    AIString title;
    for (int i = 0; i < count; i++) {
        seed = seed * 1103515245u + 12345u;
        title.Clear();
        int words = 1 + (int)((seed >> 16) % 3);
        unsigned s = seed >> 3;
        for (int w = 0; w < words; w++) {
            if (w) title.AppendChar(L'_');
            for (int k = 0; k < 2 + (int)(s % 2); k++) {
                title.AppendAscii(kSyllables[s % 20]);
                s = s / 20 + 7919u * (unsigned)(w + 1);
            }
        }
        title.AppendChar(L'_').AppendInt(i);
        if (title.GetLength() > kTitleMax) title.KeepRange(title.GetLength() - kTitleMax, kTitleMax);
        index.AddItemString(title.GetText(), L"0", 0);
    }
    index.SortIndex();
}
