// Full-text search benchmark. Generates a data file from a fixed seed (in the
// store's format, with mirror texts), then runs RunFullTextSearch for each
// query kind (or for the query given) and prints the ranked hits, the walk
// time, the speed over the data file and the longest gap between two pumps.
// With an output folder it also writes the data file there, opens it with the
// note store (editing the mirror notes, so that their texts live in mirror
// files) and runs the same queries through the store; and it writes the text
// as UTF-8 and, per query kind, the words as grep patterns, so that
// search_bench.sh can time grep on the same text.
//
//   search_benchmark.exe <notes> <chars per note> <output folder|-> [query]
//   search_benchmark.exe --file <data file> <query>     (a data file of one's own)
//   search_benchmark.exe --generate <notes> <chars per note> <folder>
//   search_benchmark.exe --round <folder>   (search_bench.sh: one sample per kind, through the store)
#include "bench/search_fake_store.h"
#include "bench/search_note_generator.h"
#include "search/full_text_query.h"
#include "foundation/message_pump.h"
#include "notestore/note_store.h"
#include "search/full_text_search.h"
#include "search/search_source.h"
#include "search/search_tables.h"
#include "search/store_search_source.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

int64_t g_frequency;
int64_t g_lastPump;
int64_t g_longestGap;
int g_pumps;
int64_t g_reloadTicks;
void (*g_reload)();

int64_t Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

// Times the store's re-reading of the mirror files, which starts every search.
void TimedReload()
{
    int64_t start = Now();
    g_reload();
    g_reloadTicks += Now() - start;
}

double Milliseconds(int64_t ticks) { return (double)ticks * 1000.0 / (double)g_frequency; }

void NotePump()
{
    int64_t now = Now();
    if (now - g_lastPump > g_longestGap) g_longestGap = now - g_lastPump;
    g_lastPump = now;
}

void TimeFakePump(FakeSearchStore&)
{
    g_pumps++;
    NotePump();
}

int TimeStorePump()
{
    g_pumps++;
    int alive = PumpMessages();
    NotePump();
    return alive;
}

// A title of the hit list, from the store in use.
typedef std::string (*TitleOfHit)(int32_t titleIndex);
FakeSearchStore* g_fake;

std::string FakeTitle(int32_t titleIndex);
std::string StoreTitle(int32_t titleIndex);

std::string ToUtf8(const WCHAR* text, int length)
{
    if (length <= 0) return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out((size_t)bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, &out[0], bytes, nullptr, nullptr);
    return out;
}

std::string ToUtf8(const AIString& text) { return ToUtf8(text.GetText(), text.GetLength()); }

std::string FakeTitle(int32_t titleIndex)
{
    const std::vector<WCHAR>& title = g_fake->titles[(size_t)titleIndex];
    return ToUtf8(title.data(), (int)title.size());
}

std::string StoreTitle(int32_t titleIndex)
{
    AIString title;
    GetNoteTitle(titleIndex, title);
    return ToUtf8(title);
}

std::string WindowsPath(const std::string& folder, const char* name)
{
    std::string full = folder + "/" + name;
    if (full[0] == '/') full = "Z:" + full;  // a Unix path reaches Wine as drive Z:
    for (char& c : full)
        if (c == '/') c = '\\';
    return full;
}

int WriteFileBytes(const std::string& folder, const char* name, const std::string& bytes)
{
    AIString path;
    std::string full = WindowsPath(folder, name);
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

std::vector<QueryKind> StandardKinds(const FakeSearchStore& store, const WCHAR* kAbsentWord = ::kAbsentWord)
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

void RunKind(const char* source, const QueryKind& kind, TitleOfHit titleOf, bool printHits)
{
    const int kRuns = 5;
    double best = 1e30;
    int64_t gapOfBest = 0;
    int pumpsOfBest = 0;
    double reloadOfBest = 0;
    for (int run = 0; run < kRuns; run++) {
        SetFullTextQuery(kind.query);
        g_pumps = 0;
        g_reloadTicks = 0;
        g_longestGap = 0;
        int64_t start = Now();
        g_lastPump = start;
        RunFullTextSearch();
        int64_t end = Now();
        NotePump();  // the stretch after the last pump counts as a gap too
        double ms = Milliseconds(end - start);
        if (ms < best) {
            best = ms;
            gapOfBest = g_longestGap;
            pumpsOfBest = g_pumps;
            reloadOfBest = Milliseconds(g_reloadTicks);
        }
    }
    int32_t chars = 0;
    GetSearchSource().datafileBuffer(&chars);
    double megabytes = (double)chars * sizeof(WCHAR) / 1e6;
    int hits = SearchHitTable.count;
    if (printHits) {
        for (int p = 0; p < hits; p++) {
            const SearchHitSlot& slot = SearchHitTable.slot[RankedHits[p].slot];
            printf("  %s %d\n", titleOf(slot.titleIndex).c_str(), RankedHits[p].score);
        }
    }
    double walk = best - reloadOfBest;  // the store's re-reading of mirror files is timed apart
    printf("RESULT source=%s kind=%s keywords=%d hits=%d walk_ms=%.2f reload_ms=%.2f MB=%.1f MB_per_s=%.0f "
           "longest_gap_ms=%.2f pumps=%d walk=%s\n",
           source, kind.name, SearchKeywords.count, hits, walk, reloadOfBest, megabytes,
           megabytes / (walk / 1000.0), Milliseconds(gapOfBest), pumpsOfBest,
           hits == kSearchHitSlots ? "ended-at-50-slots" : "whole-file");
    fflush(stdout);
}

}  // namespace

// The body of a generated text: after the title line, before the link block.
AIString BodyOf(const std::vector<WCHAR>& text)
{
    size_t start = 0;
    while (start < text.size() && text[start] != L'\n') start++;
    size_t end = text.size();
    while (end > 0 && text[end - 1] == 0) end--;
    static const WCHAR kBlock[] = L"\r\n{{\r\n";
    for (size_t i = end; i-- > start + 1;)
        if (i + 6 <= end && memcmp(&text[i], kBlock, 6 * sizeof(WCHAR)) == 0) { end = i; break; }
    return AIString().AppendTextN(text.data() + start + 1, (int)(end - start - 1));
}

// Writes the data file, opens it with the store and edits the mirror notes.
int OpenInStore(const std::string& folder, const std::vector<GeneratedNote>& notes, const FakeSearchStore& fake)
{
    std::string bytes("\xFF\xFE", 2);
    bytes.append((const char*)fake.buffer.data(), (fake.buffer.size() - 1) * sizeof(WCHAR));
    if (!WriteFileBytes(folder, "notes.tavik", bytes)) return 0;
    AIString path;
    path.FromUtf8(WindowsPath(folder, "notes.tavik").c_str());
    if (!LoadDatafile(path.GetText())) {
        printf("STORE not opened (message %d): the file is over the store's limits\n", g_noteStore.lastMessageId);
        return 0;
    }
    for (size_t i = 0; i < notes.size(); i++) {
        if (notes[i].mirrorText.empty()) continue;
        if (!OpenCurrentNote((int32_t)i) || !StoreCurrentNote(BodyOf(notes[i].mirrorText).GetText())) {
            printf("STORE could not edit note %zu\n", i);
            return 0;
        }
    }
    ConnectStoreSearchSource();
    SearchSource source = GetSearchSource();
    source.pumpMessages = TimeStorePump;
    g_reload = source.reloadNotesFromMirrors;
    source.reloadNotesFromMirrors = TimedReload;
    SetSearchSource(source);
    // A mirror read within two seconds of its last write is read again at the
    // next search (its time may not tell a later write apart); the user's
    // mirrors are older than that, so the timed searches start after it.
    g_reload();
    Sleep(2100);
    return 1;
}


// Runs the query over a data file opened by the store.
int SearchOwnFile(const char* file, const char* text)
{
    AIString path, query;
    path.FromUtf8(file);
    query.FromUtf8(text);
    if (!LoadDatafile(path.GetText())) {
        printf("STORE not opened (message %d)\n", g_noteStore.lastMessageId);
        return 1;
    }
    ConnectStoreSearchSource();
    SearchSource source = GetSearchSource();
    source.pumpMessages = TimeStorePump;
    g_reload = source.reloadNotesFromMirrors;
    source.reloadNotesFromMirrors = TimedReload;
    SetSearchSource(source);
    printf("DATAFILE %s notes=%d characters=%d\n", file, GetNoteCount(), GetDatafileBufferChars());
    std::vector<QueryKind> kinds;
    AddKind(kinds, "given", query, {});
    RunKind("store", kinds[0], StoreTitle, true);
    CloseDatafile();
    return 0;
}

// Writes English notes (no mirror texts: the file alone holds every text,
// as the UTF-8 copy that the other tools read does) for --round: the data
// file, its UTF-8 copy, per query kind the grep patterns, and kinds.txt
// (kind, TAB, query, one a line).
int GenerateForRounds(int notesWanted, int chars, const std::string& folder)
{
    std::vector<GeneratedNote> notes;
    NoteGeneratorOptions options{20261207u, notesWanted, chars, 0};
    options.english = true;
    GenerateNotes(options, notes);
    static FakeSearchStore store;
    FillFakeStore(store, notes);
    std::vector<QueryKind> kinds = StandardKinds(store, kEnglishAbsentWord);
    std::string bytes("\xFF\xFE", 2);
    bytes.append((const char*)store.buffer.data(), (store.buffer.size() - 1) * sizeof(WCHAR));
    std::string list;
    for (const QueryKind& kind : kinds) {
        std::string patterns;
        for (const std::string& p : kind.grepPatterns) patterns += p + "\n";
        if (!WriteFileBytes(folder, (std::string(kind.name) + ".pat").c_str(), patterns)) return 1;
        list += std::string(kind.name) + "\t" + ToUtf8(kind.query) + "\n";
    }
    if (!WriteFileBytes(folder, "notes.tavik", bytes) ||
        !WriteFileBytes(folder, "notes.txt", ToUtf8(store.buffer.data(), (int)store.buffer.size() - 1)) ||
        !WriteFileBytes(folder, "kinds.txt", list))
        return 1;
    printf("DATAFILE notes=%d chars_per_note=%d MB=%.1f\n", notesWanted, chars,
           (double)bytes.size() / 1e6);
    return 0;
}

// One round: a fresh process opens the data file with the note store, then
// times each kind's search once, after one untimed search of the same query
// (the other tools read the file from the warm file cache; here the text is
// in memory and the query prepared). Prints one SAMPLE line per kind.
int TimeOneRound(const std::string& folder)
{
    AIString path;
    path.FromUtf8(WindowsPath(folder, "kinds.txt").c_str());
    HANDLE file = CreateFileW(path.GetText(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    char list[65536];
    DWORD got = 0;
    ReadFile(file, list, sizeof(list) - 1, &got, nullptr);
    CloseHandle(file);
    list[got] = 0;
    path.FromUtf8(WindowsPath(folder, "notes.tavik").c_str());
    if (!LoadDatafile(path.GetText())) {
        printf("STORE not opened (message %d)\n", g_noteStore.lastMessageId);
        return 1;
    }
    ConnectStoreSearchSource();
    int32_t chars = 0;
    GetSearchSource().datafileBuffer(&chars);
    for (char* line = strtok(list, "\n"); line; line = strtok(nullptr, "\n")) {
        char* tab = strchr(line, '\t');
        if (!tab) continue;
        *tab = 0;
        AIString query;
        query.FromUtf8(tab + 1);
        SetFullTextQuery(query);
        RunFullTextSearch();
        SetFullTextQuery(query);
        int64_t start = Now();
        RunFullTextSearch();
        double ms = Milliseconds(Now() - start);
        printf("SAMPLE kind=%s ms=%.3f hits=%d keywords=%d MB=%.1f\n", line, ms, SearchHitTable.count,
               SearchKeywords.count, (double)chars * sizeof(WCHAR) / 1e6);
    }
    CloseDatafile();
    return 0;
}

int main(int argc, char** argv)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_frequency = frequency.QuadPart;
    if (argc == 4 && strcmp(argv[1], "--file") == 0) return SearchOwnFile(argv[2], argv[3]);
    if (argc == 5 && strcmp(argv[1], "--generate") == 0) return GenerateForRounds(atoi(argv[2]), atoi(argv[3]), argv[4]);
    if (argc == 3 && strcmp(argv[1], "--round") == 0) return TimeOneRound(argv[2]);
    if (argc < 4) {
        fprintf(stderr, "usage: search_benchmark <notes> <chars per note> <output folder|-> [query]\n"
                        "       search_benchmark --file <data file> <query>\n");
        return 2;
    }

    int notesWanted = atoi(argv[1]);
    int chars = atoi(argv[2]);
    std::string folder = argv[3];
    std::vector<GeneratedNote> notes;
    GenerateNotes(NoteGeneratorOptions{20261207u, notesWanted, chars, 20}, notes);
    static FakeSearchStore store;
    g_fake = &store;
    FillFakeStore(store, notes);
    InstallFakeStore(store);
    SetSearchPanelHooks(SearchPanelHooks{});
    store.onPump = TimeFakePump;
    store.cpuSpeed = 301;
    {
        SearchSource source = GetSearchSource();
        g_reload = source.reloadNotesFromMirrors;
        source.reloadNotesFromMirrors = TimedReload;
        SetSearchSource(source);
    }

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
    bool printHits = argc > 4 || getenv("SEARCH_BENCH_HITS");
    if (folder != "-") {
        WriteFileBytes(folder, "notes.txt", ToUtf8(store.buffer.data(), (int)store.buffer.size() - 1));
        for (const QueryKind& kind : kinds) {
            std::string patterns;
            for (const std::string& p : kind.grepPatterns) patterns += p + "\n";
            WriteFileBytes(folder, (std::string(kind.name) + ".pat").c_str(), patterns);
        }
    }
    for (const QueryKind& kind : kinds) RunKind("memory", kind, FakeTitle, printHits);
    if (folder != "-" && OpenInStore(folder, notes, store)) {
        for (const QueryKind& kind : kinds) RunKind("store", kind, StoreTitle, printHits);
        CloseDatafile();
    }
    return 0;
}
