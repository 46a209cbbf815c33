// Time per keystroke in the program's own note editor: a 50,000-character
// note in lines, in a data file of 10,000 notes whose titles it mentions,
// keys sent as the message loop delivers them (key-down, character, key-up,
// painted), so the editor's rules, the link scan of the touched paragraph
// and the status line are all included. Beside it, the same keys into a bare
// rich edit holding the same text, measured in the same run.
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
#include "bench/bench_timing.h"
#include <ole2.h>
#include <shellapi.h>
#include <richedit.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

const int kNotes = 10000;
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

int CompareDoubles(const void* a, const void* b)
{
    double x = *(const double*)a, y = *(const double*)b;
    return x < y ? -1 : x > y;
}

struct KeyTimes {
    double median;
    double worst;
};

// Types words and blanks in the middle of the text, one key at a time.
KeyTimes TypeKeys(HWND editor)
{
    GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
    int length = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
    CHARRANGE middle = {length / 2, length / 2};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&middle);
    Pump();
    static const char kTyped[] = "see garden notes ";
    double times[kKeystrokes];
    for (int i = 0; i < kKeystrokes; i++) {
        char ch = kTyped[i % (sizeof kTyped - 1)];
        WPARAM vk = ch == ' ' ? VK_SPACE : (WPARAM)(ch - 'a' + 'A');
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        SendMessageW(editor, WM_KEYDOWN, vk, 1);
        SendMessageW(editor, WM_CHAR, (WPARAM)ch, 1);
        SendMessageW(editor, WM_KEYUP, vk, 0xC0000001);
        UpdateWindow(editor);
        QueryPerformanceCounter(&t1);
        times[i] = Milliseconds(t0, t1);
        Pump();
    }
    qsort(times, kKeystrokes, sizeof(double), CompareDoubles);
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    return {times[kKeystrokes / 2], times[kKeystrokes - 1]};
}

}  // namespace

int main()
{
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
    KeyTimes program = TypeKeys(g_mainPanel.editor.GetHwnd());

    // The same text and keys in a bare rich edit.
    AIControl bare;
    HWND host = CreateBenchEditorHost(bare);
    KeyTimes plain = {0, 0};
    if (host) {
        SendMessageW(bare.GetHwnd(), EM_EXLIMITTEXT, 0, 200000);
        SetWindowTextW(bare.GetHwnd(), big.GetText());
        Pump();
        plain = TypeKeys(bare.GetHwnd());
        DestroyWindow(host);
    }
    printf("keystrokes in a %d-character note among %d notes (%d keys, key-down to key-up, painted):\n",
           big.GetLength(), kNotes + 1, kKeystrokes);
    printf("  the program's editor: median %.2f ms, worst %.2f ms (target: under 16 ms)\n", program.median,
           program.worst);
    printf("  a bare rich edit:     median %.2f ms, worst %.2f ms\n", plain.median, plain.worst);
    if (plain.median > 0)
        printf("  program / bare rich edit: median %.2fx, worst %.2fx\n", program.median / plain.median,
               program.worst / (plain.worst > 0 ? plain.worst : 1));

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
