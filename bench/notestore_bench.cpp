// Note store benchmark.
//   notestore_bench generate <folder>          data files of 1,000, 10,000 and 50,000 notes (fixed seed)
//   notestore_bench run <datafile> <copy path>  load and index, FindNoteByTitle, save times, peak memory
//   notestore_bench all <folder>                both, for the three generated files
//   notestore_bench first <datafile>            one load and index, the first of a fresh process
// Repeated timings give their median (min and max beside it), never the best.
// A refused file prints its catalogue message id and exits with 2.
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"
#include "foundation/errors.h"
#include <psapi.h>
#include <shellapi.h>
#include <stdio.h>
#include <algorithm>
#include <vector>

namespace {

struct Random {
    uint64_t state;
    uint32_t Next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (uint32_t)(state >> 33);
    }
    uint32_t Below(uint32_t n) { return Next() % n; }
};

const char* const kWords[] = {
    "note", "idea", "plan", "meeting", "garden", "river", "budget", "project", "travel", "recipe", "letter", "music",
    "paper", "window", "market", "summer", "winter", "forest", "engine", "signal", "bridge", "harbour", "island",
    "library", "lantern", "orchard", "pattern", "quarter", "rhythm", "station", "theory", "valley", "weather",
    "yellow", "anchor", "bottle", "candle", "desert", "fabric", "glacier", "hammer", "jungle", "kettle", "ladder",
    "marble", "needle", "oyster", "pepper", "quiver", "ribbon", "saddle", "timber", "umbrella", "velvet", "walnut",
    "zephyr", "atlas", "beacon", "cipher", "dynamo", "ember", "falcon", "gravel", "horizon", "ivory", "jasmine"};
const int kWordCount = sizeof(kWords) / sizeof(kWords[0]);

void AppendWord(AIString& out, Random& r) { out.AppendAscii(kWords[r.Below(kWordCount)]); }

// One note's body in the note mark-up (about 1,000 characters, or about 450
// when short), with tags and a link block.
void AppendNote(AIString& out, const AIString& title, Random& r, bool shortNotes)
{
    out.AppendChar(kNoteMark).AppendString(title).AppendText(L"\r\n# ");
    AppendWord(out, r);
    out.AppendChar(L' ');
    AppendWord(out, r);
    out.AppendText(L"\r\n");
    int paragraphs = shortNotes ? 1 + (int)r.Below(2) : 3 + (int)r.Below(4);
    for (int p = 0; p < paragraphs; p++) {
        if (p == 2) out.AppendText(L"## Details\r\n");
        int words = 18 + (int)r.Below(22);
        for (int w = 0; w < words; w++) {
            if (w) out.AppendChar(L' ');
            uint32_t kind = r.Below(60);
            if (kind == 0) {
                out.AppendText(L"**");
                AppendWord(out, r);
                out.AppendText(L"**");
            } else if (kind == 1) {
                out.AppendText(L"@tag");
                out.AppendInt((int32_t)r.Below(40));
            } else {
                AppendWord(out, r);
            }
        }
        out.AppendText(L".\r\n");
    }
    out.AppendText(L"\r\n{{\r\n");
    int links = (int)r.Below(4);
    for (int l = 0; l < links; l++) {
        out.AppendText(L"[link");
        out.AppendInt(l);
        out.AppendText(L":http://example.com/page");
        out.AppendInt((int32_t)r.Next() % 100000);
        out.AppendText(L"]\r\n");
    }
    out.AppendText(L"}}\r\n");
}

int WriteFileBytes(const WCHAR* path, const void* data, DWORD bytes)
{
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (f == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    int ok = WriteFile(f, data, bytes, &written, 0) && written == bytes;
    CloseHandle(f);
    return ok;
}

int Generate(const WCHAR* path, int notes, uint64_t seed, bool shortNotes)
{
    Random r = {seed};
    std::vector<AIString> titles((size_t)notes);
    for (int i = 0; i < notes; i++) {
        AIString& t = titles[(size_t)i];
        AppendWord(t, r);
        t.AppendChar(L'_');
        AppendWord(t, r);
        t.AppendChar(L'_');
        t.AppendInt(i);
    }
    std::sort(titles.begin(), titles.end(), [](const AIString& a, const AIString& b) {
        return CompareTitles(a.GetText(), a.GetLength(), b.GetText(), b.GetLength()) < 0;
    });
    AIString text;
    text.Reserve(notes * 1100 + 64);
    text.AppendChar(0xFEFF).AppendText(L"Tavik 10\r\n");
    for (int i = 0; i < notes; i++) AppendNote(text, titles[(size_t)i], r, shortNotes);
    return WriteFileBytes(path, text.GetText(), (DWORD)text.GetLength() * 2);
}

double NowMs()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

const char* Narrow(const WCHAR* text)
{
    static char out[1024];
    AIString(text).ToUtf8(out, sizeof(out));
    return out;
}

const int kRuns = 5;

// The median of the times (sorted in place); min and max beside it.
struct Spread {
    double median, min, max;
};

Spread SpreadOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    if (n == 0) return {-1, -1, -1};
    double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    return {median, times[0], times[n - 1]};
}

// The same file work through Wine's Win32 calls, no note store: the floor
// that any Win32 program here stands on. Median of kRuns, like the others.
double Win32ReadScanMs(const WCHAR* path)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; run++) {
        double t0 = NowMs();
        HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, 0);
        if (file == INVALID_HANDLE_VALUE) return -1;
        LARGE_INTEGER size;
        GetFileSizeEx(file, &size);
        WCHAR* text = (WCHAR*)LocalAlloc(LMEM_FIXED, (SIZE_T)size.QuadPart + 2);
        // The quickest way found to read into new memory under Wine: a
        // megabyte at a time, its pages faulted in just before.
        const DWORD kPiece = 1024 * 1024, kPage = 4096;
        uint8_t* bytes = (uint8_t*)text;
        DWORD got = 0;
        BOOL read = text != 0;
        for (int64_t done = 0; read && done < size.QuadPart; done += got) {
            DWORD want = (DWORD)std::min<int64_t>(kPiece, size.QuadPart - done);
            for (DWORD page = 0; page < want; page += kPage) bytes[done + page] = 0;
            read = ReadFile(file, bytes + done, want, &got, 0) && got == want;
        }
        CloseHandle(file);
        int32_t marks = 0;
        for (int64_t i = 0; read && i < size.QuadPart / 2; i++) marks += text[i] == kNoteMark;
        double took = NowMs() - t0;
        if (text) LocalFree(text);
        if (!read || marks == 0) return -1;
        times.push_back(took);
    }
    return SpreadOf(times).median;
}

double Win32WriteReplaceMs(const WCHAR* path)
{
    HANDLE source = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (source == INVALID_HANDLE_VALUE) return -1;
    LARGE_INTEGER size;
    GetFileSizeEx(source, &size);
    uint8_t* bytes = (uint8_t*)LocalAlloc(LMEM_FIXED, (SIZE_T)size.QuadPart + 1);
    DWORD got = 0;
    BOOL read = bytes && ReadFile(source, bytes, (DWORD)size.QuadPart, &got, 0);
    CloseHandle(source);
    AIString temporary(path), backup(path);
    temporary.AppendText(L".floor.tmp");
    backup.AppendText(L".floor.bak");
    std::vector<double> times;
    bool failed = !read;
    for (int run = 0; read && run < kRuns; run++) {
        double t0 = NowMs();
        HANDLE file = CreateFileW(temporary.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
        DWORD wrote = 0;
        bool ok = file != INVALID_HANDLE_VALUE && WriteFile(file, bytes, got, &wrote, 0) && wrote == got &&
                  FlushFileBuffers(file);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        DeleteFileW(backup.GetText());
        ok = ok && CreateHardLinkW(backup.GetText(), path, 0) &&
             MoveFileExW(temporary.GetText(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!ok) failed = true;
        else times.push_back(NowMs() - t0);
    }
    DeleteFileW(backup.GetText());
    DeleteFileW(temporary.GetText());
    if (bytes) LocalFree(bytes);
    return failed ? -1 : SpreadOf(times).median;
}

double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return -1;
    return (double)counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

int Run(const WCHAR* path, const WCHAR* copyPath)
{
    printf("file %s\n", Narrow(path));
    // Loads again in the same process reuse memory the first one freed: the
    // first load of a fresh process is the mode "first".
    std::vector<double> loads;
    for (int run = 0; run < kRuns; run++) {
        double t0 = NowMs();
        int32_t loaded = LoadDatafile(path);
        double took = NowMs() - t0;
        if (!loaded) {
            printf("refused: message id %d\n", g_noteStore.lastMessageId);
            return 2;
        }
        loads.push_back(took);
    }
    double loadMs = SpreadOf(loads).median;
    int32_t notes = GetNoteCount();
    printf("  notes %d, %.1f MB of text\n", notes, GetDatafileBufferChars() * 2.0 / (1024.0 * 1024.0));
    printf("  load and index        %8.1f ms (median of %d in one process)\n", loadMs, kRuns);
    printf("  win32 read-scan       %8.1f ms (ReadFile of the whole file into new memory, note marks counted)\n", Win32ReadScanMs(path));

    const int kLookups = 10000;
    Random r = {99};
    std::vector<AIString> wanted(kLookups);
    for (int i = 0; i < kLookups; i++) GetNoteTitle((int32_t)r.Below((uint32_t)notes), wanted[(size_t)i]);
    int found = 0;
    double t0 = NowMs();
    for (int i = 0; i < kLookups; i++) found += FindNoteByTitle(wanted[(size_t)i].GetText(), 0, 0) >= 0;
    double exactMs = NowMs() - t0;
    for (int i = 0; i < kLookups; i++) wanted[(size_t)i].SetLength(wanted[(size_t)i].GetLength() / 2);
    t0 = NowMs();
    for (int i = 0; i < kLookups; i++) found += FindNoteByTitle(wanted[(size_t)i].GetText(), 0, 1) >= 0;
    double prefixMs = NowMs() - t0;
    printf("  FindNoteByTitle exact  %8.2f us each (%d found of %d)\n", exactMs * 1000.0 / kLookups, found - kLookups,
           kLookups);
    printf("  FindNoteByTitle prefix %8.2f us each\n", prefixMs * 1000.0 / kLookups);

    t0 = NowMs();
    int32_t saved = SaveDatafileCopy(copyPath);
    double copyMs = NowMs() - t0;
    if (saved != kSaveDone) {
        printf("save to %s failed (message id %d)\n", Narrow(copyPath), g_noteStore.lastMessageId);
        return 3;
    }
    printf("  save to second path   %8.1f ms\n", copyMs);

    // A save in place after one edit: the copy is opened, one note changed.
    // The day's first save also copies the file into the weekday backup: it
    // runs first, untimed, so that the timed one is the everyday save.
    if (!LoadDatafile(copyPath) || !OpenCurrentNote(notes / 2)) return 3;
    AIString body(g_noteStore.currentText);
    body.AppendText(L"\r\nedited by the benchmark");
    StoreCurrentNote(body.GetText());
    if (SaveDatafileIfOpen() != kSaveDone || !OpenCurrentNote(notes / 2)) return 3;
    std::vector<double> saves;
    for (int run = 0; run < kRuns; run++) {
        body.AppendText(L" again");
        StoreCurrentNote(body.GetText());
        t0 = NowMs();
        saved = SaveDatafileIfOpen();
        saves.push_back(NowMs() - t0);
        if (saved != kSaveDone || !OpenCurrentNote(notes / 2)) return 3;
    }
    double inPlaceMs = SpreadOf(saves).median;
    printf("  save in place, 1 edit %8.1f ms (median of %d; temporary copy, flush, backup link, replace)\n",
           inPlaceMs, kRuns);
    // The same save with nothing changed writes nothing; the check that
    // another program did not change the file is part of the save above.
    t0 = NowMs();
    saved = SaveDatafileIfOpen();
    double nothingMs = NowMs() - t0;
    if (saved != kSaveNothing) return 3;
    t0 = NowMs();
    int32_t changed = HasDatafileChangedOnDisk();
    double checkMs = NowMs() - t0;
    if (changed) return 3;
    printf("  save, nothing changed %8.3f ms (%.0fx less than the save with 1 edit)\n", nothingMs,
           inPlaceMs / (nothingMs > 0.001 ? nothingMs : 0.001));
    printf("  outside-change check  %8.1f ms (%.0f%% of the save with 1 edit)\n", checkMs,
           100.0 * checkMs / (inPlaceMs > 0.001 ? inPlaceMs : 0.001));
    printf("  peak memory           %8.1f MB\n", PeakMegabytes());
    CloseDatafile();
    printf("  win32 write-replace   %8.1f ms (WriteFile, FlushFileBuffers, CreateHardLinkW, MoveFileExW)\n",
           Win32WriteReplaceMs(copyPath));
    return 0;
}

void Join(AIString& out, const WCHAR* folder, const WCHAR* name)
{
    out.AssignText(folder);
    if (out.GetLength() && out.CharAt(out.GetLength() - 1) != L'\\' && out.CharAt(out.GetLength() - 1) != L'/')
        out.AppendChar(L'\\');
    out.AppendText(name);
}

const WCHAR* const kNames[] = {L"notes_1000.tavik", L"notes_10000.tavik", L"notes_50000.tavik"};
const int kSizes[] = {1000, 10000, 50000};

}  // namespace

int main()
{
    SetErrorAutoAnswer(IDNO);
    int argc = 0;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    AIString mode(argc > 1 ? argv[1] : L"");
    if ((mode.EqualsText(L"generate") || mode.EqualsText(L"all")) && argc == 3) {
        CreateDirectoryW(argv[2], 0);
        AIString path;
        for (int i = 0; i < 3; i++) {
            Join(path, argv[2], kNames[i]);
            double t0 = NowMs();
            // 50,000 notes of the usual size would pass the 50 MB limit: they are shorter.
            if (!Generate(path.GetText(), kSizes[i], 20261207u + (uint64_t)i, kSizes[i] > 10000)) {
                printf("cannot write %s\n", Narrow(path.GetText()));
                return 1;
            }
            printf("generated %s (%.0f ms)\n", Narrow(path.GetText()), NowMs() - t0);
        }
        if (mode.EqualsText(L"generate")) return 0;
        int result = 0;
        AIString copy;
        for (int i = 0; i < 3 && result == 0; i++) {
            Join(path, argv[2], kNames[i]);
            copy.Copy(path).AppendText(L".copy.tavik");
            result = Run(path.GetText(), copy.GetText());
        }
        if (result) return result;
        // A file cut short must be refused with its message and a non-zero result.
        Join(path, argv[2], L"cut_short.tavik");
        Join(copy, argv[2], kNames[0]);
        HANDLE f = CreateFileW(copy.GetText(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
        static char head[4001];
        DWORD got = 0;
        if (f != INVALID_HANDLE_VALUE) {
            ReadFile(f, head, 4001, &got, 0);
            CloseHandle(f);
        }
        WriteFileBytes(path.GetText(), head, got);
        copy.Copy(path).AppendText(L".copy.tavik");
        result = Run(path.GetText(), copy.GetText());
        printf("  result %d (expected 2)\n", result);
        return result == 2 ? 0 : 1;
    }
    if (mode.EqualsText(L"run") && argc == 4) return Run(argv[2], argv[3]);
    if (mode.EqualsText(L"first") && argc == 3) {
        double t0 = NowMs();
        int32_t loaded = LoadDatafile(argv[2]);
        double took = NowMs() - t0;
        if (!loaded) {
            printf("refused: message id %d\n", g_noteStore.lastMessageId);
            return 2;
        }
        printf("first_load_ms=%.2f notes=%d peak_MB=%.1f\n", took, GetNoteCount(), PeakMegabytes());
        return 0;
    }
    printf("usage: notestore_bench generate <folder> | run <datafile> <copy path> | all <folder> | first <datafile>\n");
    return 1;
}
