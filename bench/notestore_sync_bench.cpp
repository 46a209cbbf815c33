// Folder sync benchmark: a pass over 10,000 notes with nothing changed and
// with 100 changed, each beside a comparison measured in the same run.
//   notestore_sync_bench <scratch folder>      (e.g. 'Z:\tmp\sb'; made and left there)
// Comparisons: for the first pass, making 10,000 new files plainly in one
// folder (where names are compared ignoring case, each new name costs a look
// at the folder); for the unchanged pass, reading every note's text once (what
// any pass must at least look at); for 100 changed, writing 100 files of
// the 100 copies again plainly in place (CreateFile, WriteFile, CloseHandle).
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"
#include "notestore/datafile_identity.h"
#include <stdio.h>
#include <string>

namespace {

const int kNotes = 10000;
const int kChanged = 100;

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

void Title(int i, WCHAR* out) { wsprintfW(out, L"Note%05d", i); }

// A data file of kNotes notes of about 1,000 characters.
bool WriteDatafile(const AIString& path)
{
    AIString text;
    text.AppendChar(0xFEFF).AppendText(L"Tavik 10\r\n");
    WCHAR title[32];
    for (int i = 0; i < kNotes; i++) {
        Title(i, title);
        text.AppendChar(kNoteMark).AppendText(title).AppendText(L"\r\n");
        for (int line = 0; line < 20; line++)
            text.AppendText(L"words of the note, line ").AppendInt(line).AppendText(L" of ").AppendInt(i).AppendText(L"\r\n");
        text.AppendText(L"\r\n{{\r\n}}\r\n");
    }
    HANDLE file = CreateFileW(path.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.GetText(), (DWORD)text.GetLength() * 2, &written, 0);
    CloseHandle(file);
    return ok && written == (DWORD)text.GetLength() * 2;
}

double ReadEveryNote()
{
    double start = Now();
    uint64_t sum = 0;
    for (int32_t i = 0; i < GetNoteCount(); i++) {
        LoadNoteText(i, 0);
        const AIString& text = g_noteStore.currentText;
        sum += HashDatafileBytes((const uint8_t*)text.GetText(), (int64_t)text.GetLength() * 2);
    }
    double took = Now() - start;
    if (sum == 42) printf(" ");
    return took;
}

// Creates count new files of about a note's size in an empty folder, plainly.
double CreatePlainFiles(const AIString& folder, int count)
{
    CreateDirectoryW(folder.GetText(), 0);
    char data[1024];
    for (int i = 0; i < (int)sizeof(data); i++) data[i] = (char)('a' + i % 26);
    WCHAR name[32];
    double start = Now();
    for (int i = 0; i < count; i++) {
        wsprintfW(name, L"Note%05d.txt", i);
        AIString path(folder);
        path.AppendText(name);
        HANDLE file = CreateFileW(path.GetText(), GENERIC_WRITE, 0, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, 0);
        DWORD written = 0;
        WriteFile(file, data, sizeof(data), &written, 0);
        CloseHandle(file);
    }
    return Now() - start;
}

// Writes the named files again with their own bytes, plainly.
double RewritePlainly(const AIString* paths, int count)
{
    std::string* contents = new std::string[count];
    for (int i = 0; i < count; i++) {
        HANDLE file = CreateFileW(paths[i].GetText(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
        char buffer[65536];
        DWORD got = 0;
        while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof(buffer), &got, 0) && got)
            contents[i].append(buffer, got);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    double start = Now();
    for (int i = 0; i < count; i++) {
        HANDLE file = CreateFileW(paths[i].GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
        DWORD written = 0;
        WriteFile(file, contents[i].data(), (DWORD)contents[i].size(), &written, 0);
        CloseHandle(file);
    }
    double took = Now() - start;
    delete[] contents;
    return took;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: notestore_sync_bench <scratch folder>\n");
        return 1;
    }
    AIString root;
    root.FromUtf8(argv[1]);
    if (root.CharAt(root.GetLength() - 1) != L'\\') root.AppendChar(L'\\');
    CreateDirectoryW(root.GetText(), 0);
    AIString datafile(root), syncFolder(root);
    datafile.AppendText(L"bench.tavik");
    syncFolder.AppendText(L"syncfolder\\");
    CreateDirectoryW(syncFolder.GetText(), 0);
    if (!WriteDatafile(datafile)) {
        printf("cannot write %s\n", argv[1]);
        return 2;
    }
    g_noteStore.sync.SyncFolderSetting.Copy(syncFolder);
    double start = Now();
    if (!LoadDatafile(datafile.GetText())) return 2;   // the first pass sends every note
    double first = Now() - start;
    printf("first pass (load, %d notes sent): %.3f s, %d sent\n", kNotes, first, GetLastSyncReport().pushed);
    AIString plainFolder(root);
    plainFolder.AppendText(L"plain\\");
    double created = CreatePlainFiles(plainFolder, kNotes);
    printf("  %d new files made plainly:  %.3f s  -> ratio %.2f\n", kNotes, created, first / created);

    start = Now();
    SyncFolders(1);
    double unchanged = Now() - start;
    double readAll = ReadEveryNote();
    printf("pass, nothing changed:        %.4f s (sent %d, taken %d)\n", unchanged, GetLastSyncReport().pushed,
           GetLastSyncReport().pulled);
    printf("  reading every note once:    %.4f s  -> ratio %.2f\n", readAll, unchanged / readAll);

    WCHAR title[32];
    AIString body;
    AIString* copies = new AIString[kChanged];
    for (int i = 0; i < kChanged; i++) {
        Title(i * (kNotes / kChanged), title);
        OpenCurrentNote(FindNoteByTitle(title, 0, 0));
        body.Copy(g_noteStore.currentText).AppendText(L"changed");
        StoreCurrentNote(body.GetText(), 0);
        copies[i].Copy(syncFolder).AppendText(L"sync\\").AppendText(title).AppendText(L".txt");
    }
    start = Now();
    SyncFolders(1);
    double changed = Now() - start;
    double plainWrites = RewritePlainly(copies, kChanged);
    delete[] copies;
    printf("pass, %d changed:            %.4f s (sent %d)\n", kChanged, changed, GetLastSyncReport().pushed);
    printf("  the %d copies rewritten plainly: %.4f s  -> ratio %.2f (pass minus the unchanged pass: %.2f)\n",
           kChanged, plainWrites, changed / plainWrites, (changed - unchanged) / plainWrites);
    CloseDatafile();
    return 0;
}
