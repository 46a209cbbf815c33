// Prints how long the string table takes to build, sort, search, save and
// load a note index of 50,000 titles, and how fast mark-up parses.
#include "foundation/ai_string_table.h"
#include "foundation/text_markup.h"
#include "foundation/errors.h"
#include <stdio.h>

namespace {

double Seconds()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

// A title like the ones people give notes, spread over the alphabet.
void MakeTitle(int n, AIString& out)
{
    static const WCHAR* const words[] = {L"Meeting", L"recipe", L"Travel", L"ideas", L"Book", L"garden", L"Project",
                                         L"letters", L"Music", L"tax"};
    uint32_t h = (uint32_t)n * 2654435761u;
    out.AssignText(words[h % 10]).AppendChar(L' ').AppendText(words[(h >> 8) % 10]).AppendChar(L' ').AppendInt(n);
}

}  // namespace

int main()
{
    SetErrorAutoAnswer(IDNO);
    const int kTitles = 50000;
    AIStringTable table;
    AIString title, value;

    double t0 = Seconds();
    for (int i = 0; i < kTitles; i++) {
        MakeTitle(i, title);
        value.AssignInt(i * 100);
        table.AddItemString(title.GetText(), value.GetText(), 0);
    }
    double t1 = Seconds();
    table.SortIndex();
    double t2 = Seconds();
    printf("bulk add %d titles: %.1f ms, sort index: %.1f ms\n", kTitles, (t1 - t0) * 1e3, (t2 - t1) * 1e3);

    int found = 0;
    double t3 = Seconds();
    for (int i = 0; i < kTitles; i++) {
        MakeTitle(i, title);
        if (table.IndexOfKeyString(title.GetText()) >= 0) found++;
    }
    double t4 = Seconds();
    printf("case-insensitive look-ups: %d found, %.2f us each\n", found, (t4 - t3) * 1e6 / kTitles);
    found = 0;
    for (int i = 0; i < kTitles; i++) {
        MakeTitle(i, title);
        if (table.IndexOfKeyStringExact(title.GetText()) >= 0) found++;
    }
    double t5 = Seconds();
    printf("exact look-ups: %d found, %.2f us each\n", found, (t5 - t4) * 1e6 / kTitles);

    AIStringTable sortedAdds;
    double t6 = Seconds();
    for (int i = 0; i < 10000; i++) {
        MakeTitle(i, title);
        sortedAdds.AddItemString(title.GetText(), L"1", 1);
    }
    double t7 = Seconds();
    printf("10,000 adds keeping the index sorted: %.1f ms\n", (t7 - t6) * 1e3);

    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString path(temp);
    path.AppendText(L"tavik_bench_table.txt");
    double t8 = Seconds();
    table.SaveToFile(path.GetText());
    double t9 = Seconds();
    AIStringTable loaded;
    loaded.LoadFromFile(path.GetText());
    double t10 = Seconds();
    printf("save %d items (%d chars): %.1f ms, load and sort: %.1f ms\n", loaded.GetCount(),
           table.GetJoined().GetLength(), (t9 - t8) * 1e3, (t10 - t9) * 1e3);
    DeleteFileW(path.GetText());

    AIString joined;
    for (int i = 0; i < kTitles; i++) {
        MakeTitle(i, title);
        joined.AppendString(title).AppendText(L":").AppendInt(i).AppendText(L", ");
    }
    double t11 = Seconds();
    AIStringTable assigned;
    assigned.AssignString(joined.GetText());
    double t12 = Seconds();
    printf("AssignString of %d items: %.1f ms\n", assigned.GetCount(), (t12 - t11) * 1e3);

    AIString markup;
    for (int i = 0; i < 2000; i++) markup.AppendText(L"<br><b>Ctrl + K</b> inserts a <lred>link</lred> &amp; more ");
    TextMarkup parsed;
    double t13 = Seconds();
    parsed.Parse(markup.GetText());
    double t14 = Seconds();
    printf("parse %d chars of mark-up into %d runs: %.2f ms\n", markup.GetLength(), parsed.GetRunCount(),
           (t14 - t13) * 1e3);
    return 0;
}
