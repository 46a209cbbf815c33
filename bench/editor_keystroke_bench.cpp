// Time per keystroke in the program's own note editor beside a bare rich
// edit, like for like: a 50,000-character note in lines, in a data file of
// 10,000 notes whose titles it mentions, and the same text in a bare rich edit
// in the same process. Both get the same whole key presses through the
// thread's queue (the program's with its accelerators and main loop, so its
// key rules, the link scan of the touched paragraph and the status line all
// run), each timed until the queue is empty again. The keys go in blocks, a
// block to each side in turn, so that the machine's drift falls on both.
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"
#include "bench/bench_editor_host.h"
#include "bench/bench_program.h"
#include "bench/bench_keys.h"
#include "shell/command_table.h"
#include <ole2.h>
#include <shellapi.h>
#include <richedit.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

int kNotes = 10000;  // the first argument gives another count
const int kNoteChars = 50000;
const int kKeystrokes = 200;

const char* const kSyllables[] = {"ka", "lo", "mi", "ren", "tas", "vo", "pel", "dur", "sin", "ba",
                                  "ter", "go", "nu", "fay", "ri", "mon", "el", "zu", "ha", "qua"};

// The title of note i: two or three syllables, blanks stored as "_".
void TitleOf(int i, AIString& out)
{
    out.Clear();
    unsigned seed = (unsigned)i * 2654435761u + 7;
    int words = 1 + (int)(seed % 2);
    for (int w = 0; w < words; w++) {
        if (w) out.AppendChar(L'_');
        for (int s = 0; s < 2; s++) {
            out.AppendAscii(kSyllables[seed % 20]);
            seed = seed / 20 + 977u * (unsigned)(w + s + 1);
        }
    }
    out.AppendInt(i);  // unique
}

// The big note: words, a title every 40 words, a tag and an address now and then, lines of ~80.
void MakeBigNote(AIString& out)
{
    unsigned seed = 4711;
    int words = 0, lineChars = 0;
    AIString title;
    while (out.GetLength() < kNoteChars - 100) {
        seed = seed * 1103515245u + 12345u;
        int before = out.GetLength();
        if (++words % 40 == 0) {
            TitleOf((int)((seed >> 8) % kNotes), title);
            title.ReplaceAll(L"_", L" ");
            out.AppendString(title);
        } else if (words % 97 == 0) {
            out.AppendText(L"@tag").AppendInt(words % 7);
        } else if (words % 151 == 0) {
            out.AppendText(L"www.example.org");
        } else {
            out.AppendAscii(kSyllables[(seed >> 16) % 20]);
            out.AppendAscii(kSyllables[(seed >> 21) % 20]);
        }
        lineChars += out.GetLength() - before;
        if (lineChars > 80) {
            out.AppendText(L"\r\n");
            lineChars = 0;
        } else {
            out.AppendChar(L' ');
        }
    }
}

const AIString* s_titles = nullptr;

// Orders indices into s_titles (the strings themselves hold pointers into
// themselves and cannot be moved byte by byte).
int CompareStoredTitles(const void* a, const void* b)
{
    const AIString& x = s_titles[*(const int*)a];
    const AIString& y = s_titles[*(const int*)b];
    return CompareTitles(x.GetText(), x.GetLength(), y.GetText(), y.GetLength());
}

// Writes the data file: 10,000 short notes and "Big_note", in title order.
int WriteDatafile(const WCHAR* path, const AIString& big)
{
    AIString* titles = new AIString[kNotes + 1];
    for (int i = 0; i < kNotes; i++) TitleOf(i, titles[i]);
    titles[kNotes].AssignText(L"Big_note");
    int* order = new int[kNotes + 1];
    for (int i = 0; i <= kNotes; i++) order[i] = i;
    s_titles = titles;
    qsort(order, kNotes + 1, sizeof(int), CompareStoredTitles);
    AIString file;
    file.AppendText(L"Tavik 10\r\n");
    for (int k = 0; k <= kNotes; k++) {
        int i = order[k];
        file.AppendChar(0x00A4).AppendString(titles[i]).AppendText(L"\r\n");
        if (titles[i].EqualsText(L"Big_note")) file.AppendString(big).AppendText(L"\r\n");
        else file.AppendText(L"A short note.\r\n");
        file.AppendText(L"{{\r\n}}\r\n");
    }
    delete[] order;
    delete[] titles;
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    WriteFile(handle, "\xff\xfe", 2, &written, 0);
    WriteFile(handle, file.GetText(), (DWORD)file.GetLength() * 2, &written, 0);
    CloseHandle(handle);
    return 1;
}

const int kBlocks = 10;

// Where the next key goes: the middle of the text, as both sides started.
void PlaceCaretInMiddle(HWND editor)
{
    GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
    int length = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
    CHARRANGE middle = {length / 2, length / 2};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&middle);
}

// One block of words and blanks typed at the caret, one whole key at a time;
// each key's time goes to times[from..].
void TypeBlock(TestKeyboard& keyboard, HWND editor, int from, int count, double* times)
{
    static const char kTyped[] = "see garden notes ";
    SetFocus(editor);
    PumpUntilIdle(keyboard);
    for (int i = from; i < from + count; i++)
        times[i] = TimeKeyPress(keyboard, KeyOfChar(kTyped[i % (sizeof kTyped - 1)]));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && atoi(argv[1]) > 0) kNotes = atoi(argv[1]);
    HWND frame = StartBenchProgram();
    if (!frame) return 1;

    AIString big;
    MakeBigNote(big);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(L"tavik_keystroke_bench_");
    folder.AppendInt((int)(GetTickCount() % 100000));
    folder.AppendText(L"\\");
    CreateDirectoryW(folder.GetText(), 0);
    AIString path(folder);
    path.AppendText(L"bench.tavik");
    if (!WriteDatafile(path.GetText(), big) || !OpenDatafile(path.GetText())) {
        printf("the data file did not open\n");
        return 1;
    }
    if (!ReadAndShowNote(FindNoteByTitle(L"Big_note", 0, 0), kShowAndRecord)) {
        printf("the note did not show\n");
        return 1;
    }
    Pump();
    HWND programEditor = g_mainPanel.editor.GetHwnd();
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard programKeys(accelerators, frame);
    PlaceCaretInMiddle(programEditor);

    // The same text and keys in a bare rich edit.
    AIControl bare;
    HWND host = CreateBenchEditorHost(bare);
    if (!host) {
        printf("the bare rich edit did not open\n");
        return 1;
    }
    SendMessageW(bare.GetHwnd(), EM_EXLIMITTEXT, 0, 200000);
    SetWindowTextW(bare.GetHwnd(), big.GetText());
    PlaceCaretInMiddle(bare.GetHwnd());
    TestKeyboard bareKeys;
    PumpUntilIdle(bareKeys);

    static double program[kKeystrokes], plain[kKeystrokes];
    const int perBlock = kKeystrokes / kBlocks;
    for (int block = 0; block < kBlocks; block++) {
        // The side that goes first turns with the block.
        bool programFirst = block % 2 == 0;
        for (int side = 0; side < 2; side++) {
            if ((side == 0) == programFirst) TypeBlock(programKeys, programEditor, block * perBlock, perBlock, program);
            else TypeBlock(bareKeys, bare.GetHwnd(), block * perBlock, perBlock, plain);
        }
    }
    SendMessageW(programEditor, EM_SETMODIFY, FALSE, 0);
    int keys = perBlock * kBlocks;
    static double ratio[kKeystrokes];
    for (int i = 0; i < keys; i++) ratio[i] = program[i] / (plain[i] > 0.001 ? plain[i] : 0.001);
    Spread programSpread = SpreadOf(program, keys), plainSpread = SpreadOf(plain, keys);
    Spread ratioSpread = SpreadOf(ratio, keys);
    DestroyWindow(host);
    DestroyAcceleratorTable(accelerators);
    printf("keystrokes in a %d-character note among %d notes (%d whole key presses a side, in blocks of %d taken "
           "in turn, each until idle):\n",
           big.GetLength(), kNotes + 1, keys, perBlock);
    printf("  the program's editor: median %.2f ms, min %.2f, max %.2f (target: under 16 ms)\n", programSpread.median,
           programSpread.min, programSpread.max);
    printf("  a bare rich edit:     median %.2f ms, min %.2f, max %.2f\n", plainSpread.median, plainSpread.min,
           plainSpread.max);
    printf("  program / bare rich edit, key by key: median %.2fx, min %.2fx, max %.2fx\n", ratioSpread.median,
           ratioSpread.min, ratioSpread.max);

    DestroyWindow(frame);
    CloseDatafileHandle();
    folder.SetLength(folder.GetLength() - 1);
    folder.AppendChar(0);
    SHFILEOPSTRUCTW remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = folder.GetText();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&remove);
    return 0;
}
