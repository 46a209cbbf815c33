// Full-text search benchmark. Generates a data file from a fixed seed (in the
// store's format, with mirror texts), then runs RunFullTextSearch for each
// query kind (or for the query given) and prints the ranked hits, the walk
// time, the speed over the data file and the longest gap between two pumps.
// It also writes the data file's text as UTF-8 and, per query kind, the words
// as grep patterns, so that search_bench.sh can time grep on the same text.
//
//   search_benchmark.exe <notes> <chars per note> <output folder|-> [query]
#include "bench/search_fake_store.h"
#include "bench/search_note_generator.h"
#include "search/full_text_query.h"
#include "search/full_text_search.h"
#include "search/search_tables.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

int64_t g_frequency;
int64_t g_lastPump;
int64_t g_longestGap;

int64_t Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Milliseconds(int64_t ticks) { return (double)ticks * 1000.0 / (double)g_frequency; }

void TimePump(FakeSearchStore&)
{
    int64_t now = Now();
    if (now - g_lastPump > g_longestGap) g_longestGap = now - g_lastPump;
    g_lastPump = now;
}

std::string ToUtf8(const WCHAR* text, int length)
{
    if (length <= 0) return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out((size_t)bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, &out[0], bytes, nullptr, nullptr);
    return out;
}

std::string ToUtf8(const AIString& text) { return ToUtf8(text.GetText(), text.GetLength()); }

int WriteFileBytes(const std::string& folder, const char* name, const std::string& bytes)
{
    AIString path;
    // A Unix path reaches Wine as drive Z:.
    std::string full = folder + "/" + name;
    if (full[0] == '/') full = "Z:" + full;
    for (char& c : full)
        if (c == '/') c = '\\';
    path.FromUtf8(full.c_str());
    HANDLE file = CreateFileW(path.GetText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "cannot write %s\n", full.c_str());
        return 0;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
    return written == bytes.size();
}

struct QueryKind {
    const char* name;
    AIString query;
    std::vector<std::string> grepPatterns;  // what grep looks for in the same text
};

// A stretch of text (from a word start, free of quotes, line ends and note
// marks) found from fraction of the buffer on.
AIString PieceOfText(const FakeSearchStore& store, double fraction, int length)
{
    size_t at = (size_t)((double)store.buffer.size() * fraction);
    size_t end = store.buffer.size() - 1;
    for (; at + (size_t)length < end; at++) {
        if (store.buffer[at] != L' ') continue;
        size_t i = 1;
        while (i <= (size_t)length) {
            WCHAR c = store.buffer[at + i];
            if (c == L'"' || c == L'\r' || c == L'\n' || c == 0x00A4) break;
            i++;
        }
        if (i > (size_t)length) return AIString().AppendTextN(&store.buffer[at + 1], length);
    }
    return AIString(L"none");
}

void AddKind(std::vector<QueryKind>& kinds, const char* name, const AIString& query,
             std::vector<std::string> patterns)
{
    QueryKind kind;
    kind.name = name;
    kind.query.Copy(query);
    kind.grepPatterns = patterns;
    kinds.push_back(kind);
}

std::vector<QueryKind> StandardKinds(const FakeSearchStore& store)
{
    std::vector<QueryKind> kinds;
    std::string absent = ToUtf8(AIString(kAbsentWord));
    AddKind(kinds, "absent", AIString(kAbsentWord), {absent});
    AddKind(kinds, "rare", AIString(kRareWord), {ToUtf8(AIString(kRareWord))});
    AddKind(kinds, "common", AIString(kCommonWord), {ToUtf8(AIString(kCommonWord))});
    AIString nine;
    std::vector<std::string> ninePatterns;
    for (int i = 1; i <= 9; i++) {
        AIString word(kAbsentWord);
        word.AppendInt(i);
        nine.AppendString(word).AppendChar(L' ');
        ninePatterns.push_back(ToUtf8(word));
    }
    AddKind(kinds, "nine-absent", nine, ninePatterns);
    AIString required(L"+");
    required.AppendText(kAbsentWord);
    AddKind(kinds, "+absent", required, {absent});
    AIString excluded(L"-");
    excluded.AppendText(kCommonWord);
    AddKind(kinds, "-common", excluded, {ToUtf8(AIString(kCommonWord))});
    AIString phrase = PieceOfText(store, 0.7, 18);
    AIString quoted(L"\"");
    quoted.AppendString(phrase).AppendChar(L'"');
    AddKind(kinds, "phrase", quoted, {ToUtf8(phrase)});
    AddKind(kinds, "one-char", AIString(L"k"), {"k"});
    AIString hundred = PieceOfText(store, 0.9, 100);
    AIString quotedHundred(L"\"");
    quotedHundred.AppendString(hundred).AppendChar(L'"');
    AddKind(kinds, "100-chars", quotedHundred, {ToUtf8(hundred)});
    AIString three;
    three.AppendText(kAbsentWord).AppendText(L"1 ").AppendText(kAbsentWord).AppendText(L"2 ").AppendText(kAbsentWord).AppendText(L"3");
    AddKind(kinds, "three-absent", three,
            {absent + "1", absent + "2", absent + "3"});
    return kinds;
}

void RunKind(FakeSearchStore& store, const QueryKind& kind, bool printHits)
{
    const int kRuns = 5;
    double best = 1e30;
    int64_t gapOfBest = 0;
    int pumpsOfBest = 0;
    for (int run = 0; run < kRuns; run++) {
        SetFullTextQuery(kind.query);
        store.pumps = 0;
        g_longestGap = 0;
        int64_t start = Now();
        g_lastPump = start;
        RunFullTextSearch();
        int64_t end = Now();
        TimePump(store);  // the stretch after the last pump counts as a gap too
        double ms = Milliseconds(end - start);
        if (ms < best) {
            best = ms;
            gapOfBest = g_longestGap;
            pumpsOfBest = store.pumps;
        }
    }
    double megabytes = (double)(store.buffer.size() * sizeof(WCHAR)) / 1e6;
    int hits = SearchHitTable.count;
    if (printHits) {
        for (int p = 0; p < hits; p++) {
            const SearchHitSlot& slot = SearchHitTable.slot[RankedHits[p].slot];
            const std::vector<WCHAR>& title = store.titles[(size_t)slot.titleIndex];
            printf("  %s %d\n", ToUtf8(title.data(), (int)title.size()).c_str(), RankedHits[p].score);
        }
    }
    printf("RESULT kind=%s keywords=%d hits=%d walk_ms=%.2f MB=%.1f MB_per_s=%.0f longest_gap_ms=%.2f pumps=%d walk=%s\n",
           kind.name, SearchKeywords.count, hits, best, megabytes, megabytes / (best / 1000.0),
           Milliseconds(gapOfBest), pumpsOfBest, hits == kSearchHitSlots ? "ended-at-50-slots" : "whole-file");
    fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: search_benchmark <notes> <chars per note> <output folder|-> [query]\n");
        return 2;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_frequency = frequency.QuadPart;

    int notesWanted = atoi(argv[1]);
    int chars = atoi(argv[2]);
    std::string folder = argv[3];
    std::vector<GeneratedNote> notes;
    GenerateNotes(NoteGeneratorOptions{20261207u, notesWanted, chars, 20}, notes);
    static FakeSearchStore store;
    FillFakeStore(store, notes);
    notes.clear();
    InstallFakeStore(store);
    store.onPump = TimePump;
    store.cpuSpeed = 301;

    printf("DATAFILE notes=%d chars_per_note=%d characters=%zu MB=%.1f mirror_texts=%d\n", notesWanted, chars,
           store.buffer.size() - 1, (double)(store.buffer.size() * sizeof(WCHAR)) / 1e6, store.mirrorNoteCount);

    std::vector<QueryKind> kinds;
    if (argc > 4) {
        AIString query;
        query.FromUtf8(argv[4]);
        AddKind(kinds, "given", query, {});
    } else {
        kinds = StandardKinds(store);
    }
    if (folder != "-") {
        WriteFileBytes(folder, "notes.txt", ToUtf8(store.buffer.data(), (int)store.buffer.size() - 1));
        for (const QueryKind& kind : kinds) {
            std::string patterns;
            for (const std::string& p : kind.grepPatterns) patterns += p + "\n";
            WriteFileBytes(folder, (std::string(kind.name) + ".pat").c_str(), patterns);
        }
    }
    for (const QueryKind& kind : kinds) RunKind(store, kind, argc > 4 || getenv("SEARCH_BENCH_HITS"));
    return 0;
}
