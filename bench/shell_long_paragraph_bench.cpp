// Showing a note that is one long paragraph, and typing into it, through the
// program's own frame, content window and show command, beside the same text
// in lines of about 80 characters (measured in the same run); typing also into
// a bare rich edit of the editor's size holding the same text laid out the
// same way (what the rich edit costs by itself, without the program's
// handlers); the paragraph made a heading and plain again; and, on request, the text set into a bare rich edit and
// formatted without care for its layout.
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "bench/bench_editor_host.h"
#include "bench/bench_program.h"
#include "bench/bench_timing.h"
#include "ui/long_paragraph_layout.h"
#include <ole2.h>
#include <shellapi.h>
#include <richedit.h>
#include <stdio.h>
#include <initializer_list>

namespace {

const int kParagraphChars = 50000;
const int kKeystrokes = 15;


const char* const kWords[] = {"garden", "the", "spring", "of", "window", "letters", "tomorrow", "and",
                              "river", "a", "notebook", "quiet", "morning", "with", "stone", "light"};

// Words and blanks, one tag and one address now and then; lineEvery > 0 puts
// a line break instead of the blank after about that many characters.
void MakeText(AIString& out, int chars, int lineEvery)
{
    unsigned seed = 4711;
    int lineChars = 0;
    int words = 0;
    while (out.GetLength() < chars - 20) {
        seed = seed * 1103515245u + 12345u;
        int before = out.GetLength();
        if (++words % 300 == 0) out.AppendText(L"www.example.org");
        else if (words % 211 == 0) out.AppendText(L"@garden");
        else out.AppendAscii(kWords[(seed >> 16) % 16]);
        lineChars += out.GetLength() - before;
        if (lineEvery > 0 && lineChars > lineEvery) {
            out.AppendText(L"\r\n");
            lineChars = 0;
        } else {
            out.AppendChar(L' ');
        }
    }
    while (out.GetLength() < chars) out.AppendChar(L'x');
}

void WriteDatafile(const WCHAR* path, const AIString& paragraph, const AIString& lines)
{
    AIString file;
    file.AppendText(L"Tavik 10\r\n");
    file.AppendText(L"\x00A4" L"A_short_note\r\nA short note.\r\n{{\r\n}}\r\n");
    file.AppendText(L"\x00A4" L"In_lines\r\n").AppendString(lines).AppendText(L"\r\n{{\r\n}}\r\n");
    file.AppendText(L"\x00A4" L"One_paragraph\r\n").AppendString(paragraph).AppendText(L"\r\n{{\r\n}}\r\n");
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    DWORD written = 0;
    WriteFile(handle, "\xff\xfe", 2, &written, 0);
    WriteFile(handle, file.GetText(), (DWORD)file.GetLength() * 2, &written, 0);
    CloseHandle(handle);
}


// Showing a note from another one, painted.
double ShowMs(const WCHAR* title)
{
    ReadAndShowNote(FindNoteByTitle(L"A_short_note", 0, 0), kShowFromHistory);
    Pump();
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    ReadAndShowNote(FindNoteByTitle(title, 0, 0), kShowFromHistory);
    UpdateWindow(g_mainPanel.editor.GetHwnd());
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

// The paragraph made a heading and plain text again (each painted): the
// paragraph is put in again whole, twice.
double HeadingToggleMs(HWND editor)
{
    CHARRANGE inside = {100, 100};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inside);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    ToggleHeading(nullptr, kHeadingLevel1);
    UpdateWindow(editor);
    ToggleHeading(nullptr, kHeadingPlain);
    UpdateWindow(editor);
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

// Sorted in place (a handful of values).
void SortTimes(double* ms, int count)
{
    for (int i = 1; i < count; i++)
        for (int j = i; j > 0 && ms[j] < ms[j - 1]; j--) {
            double t = ms[j];
            ms[j] = ms[j - 1];
            ms[j - 1] = t;
        }
}

struct KeystrokeTimes {
    double median;
    double slowest;
};

// A few keystrokes typed in the middle of the editor's text, each painted.
KeystrokeTimes TypeInMiddle(HWND editor)
{
    GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
    int length = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
    CHARRANGE middle = {length / 2, length / 2};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&middle);
    Pump();
    double ms[kKeystrokes];
    for (int i = 0; i < kKeystrokes; i++) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        SendMessageW(editor, WM_CHAR, L'k', 0);
        UpdateWindow(editor);
        QueryPerformanceCounter(&t1);
        ms[i] = Milliseconds(t0, t1);
    }
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    SortTimes(ms, kKeystrokes);
    KeystrokeTimes times = {ms[kKeystrokes / 2], ms[kKeystrokes - 1]};
    return times;
}

// Enter in the middle of the editor's text, then Backspace joining the two
// paragraphs again, each painted: the median of a few such pairs.
double SplitAndJoinInMiddle(HWND editor)
{
    const int kPairs = 5;
    GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
    int length = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
    double ms[kPairs];
    for (int i = 0; i < kPairs; i++) {
        CHARRANGE middle = {length / 2 + i * 7, length / 2 + i * 7};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&middle);
        Pump();
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        for (WPARAM key : {(WPARAM)VK_RETURN, (WPARAM)VK_BACK}) {
            SendMessageW(editor, WM_KEYDOWN, key, 1);
            SendMessageW(editor, WM_KEYUP, key, 0xC0000001);
            UpdateWindow(editor);
        }
        QueryPerformanceCounter(&t1);
        ms[i] = Milliseconds(t0, t1);
    }
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    SortTimes(ms, kPairs);
    return ms[kPairs / 2];
}

// The same typing in a bare rich edit of the program editor's size, with the
// paragraph put in as the program puts it.
KeystrokeTimes BareEditorTyping(const AIString& text, HWND programEditor, double* splitAndJoin)
{
    KeystrokeTimes none = {0, 0};
    AIControl editor;
    HWND host = CreateBenchEditorHost(editor);
    if (!host) return none;
    HWND hwnd = editor.GetHwnd();
    RECT size;
    GetClientRect(programEditor, &size);
    SetWindowPos(hwnd, 0, 0, 0, size.right, size.bottom, SWP_NOZORDER | SWP_NOMOVE);
    SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 200000);
    {
        LayoutPause oneLayout(hwnd);
        SetEditorTextInRuns(hwnd, text.GetText(), text.GetLength());
    }
    KeystrokeTimes times = TypeInMiddle(hwnd);
    *splitAndJoin = SplitAndJoinInMiddle(hwnd);
    DestroyWindow(host);
    return times;
}

// The same text set into a bare rich edit and given one format over all of it
// and one at its end, as a program would without care for the layout.
double NaiveMs(const AIString& text)
{
    AIControl editor;
    HWND host = CreateBenchEditorHost(editor);
    if (!host) return 0;
    HWND hwnd = editor.GetHwnd();
    SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 200000);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    SetWindowTextW(hwnd, text.GetText());
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_SIZE;
    format.yHeight = 11 * 20;
    SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
    UpdateWindow(hwnd);
    QueryPerformanceCounter(&t1);
    DestroyWindow(host);
    return Milliseconds(t0, t1);
}

}  // namespace

int main(int argc, char** argv)
{
    HWND frame = StartBenchProgram();
    if (!frame) return 1;

    AIString paragraph, lines;
    MakeText(paragraph, kParagraphChars, 0);
    MakeText(lines, kParagraphChars, 80);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString path(temp);
    path.AppendText(L"tavik_long_paragraph_bench_");
    path.AppendInt((int)(GetTickCount() % 100000));
    AIString folder(path);
    folder.AppendText(L"\\");
    CreateDirectoryW(folder.GetText(), 0);
    path.Copy(folder);
    path.AppendText(L"bench.tavik");
    WriteDatafile(path.GetText(), paragraph, lines);
    if (!OpenDatafile(path.GetText())) {
        printf("the data file did not open\n");
        return 1;
    }

    HWND editor = g_mainPanel.editor.GetHwnd();
    double linesShow = ShowMs(L"In_lines");
    KeystrokeTimes linesKey = TypeInMiddle(editor);
    double paragraphShow = ShowMs(L"One_paragraph");
    KeystrokeTimes paragraphKey = TypeInMiddle(editor);
    double paragraphSplit = SplitAndJoinInMiddle(editor);
    double bareSplit = 0;
    KeystrokeTimes bareKey = BareEditorTyping(paragraph, editor, &bareSplit);
    double toggleMs = HeadingToggleMs(editor);
    KeystrokeTimes afterToggleKey = TypeInMiddle(editor);
    printf("a note of %d characters, shown by the program and painted; %d keystrokes, each painted:\n",
           kParagraphChars, kKeystrokes);
    printf("  in lines of about 80 characters: shown in %.0f ms, keystroke median %.1f ms, slowest %.1f ms\n",
           linesShow, linesKey.median, linesKey.slowest);
    printf("  as one paragraph:                shown in %.0f ms, keystroke median %.1f ms, slowest %.1f ms\n",
           paragraphShow, paragraphKey.median, paragraphKey.slowest);
    printf("  the paragraph in a bare rich edit:                keystroke median %.1f ms, slowest %.1f ms\n",
           bareKey.median, bareKey.slowest);
    printf("  Enter in the middle and Backspace again: program %.1f ms, bare rich edit %.1f ms (%.2fx)\n",
           paragraphSplit, bareSplit, paragraphSplit / (bareSplit > 0 ? bareSplit : 1));
    printf("  made a heading and plain again:  %.0f ms, then keystroke median %.1f ms, slowest %.1f ms\n", toggleMs,
           afterToggleKey.median, afterToggleKey.slowest);
    printf("  one paragraph / lines: showing %.2fx, typing (median) %.2fx; program / bare rich edit typing %.2fx\n",
           paragraphShow / linesShow, paragraphKey.median / (linesKey.median > 0 ? linesKey.median : 1),
           paragraphKey.median / (bareKey.median > 0 ? bareKey.median : 1));
    // The bare rich edit takes many seconds: only on request.
    if (argc > 1 && lstrcmpA(argv[1], "naive") == 0) {
        double naive = NaiveMs(paragraph);
        printf("  the paragraph set into a bare rich edit and formatted once: %.0f ms (%.1fx the program's)\n", naive,
               naive / paragraphShow);
    }
    DestroyWindow(frame);
    // The data file, its notes folder and backups go with their folder.
    folder.SetLength(folder.GetLength() - 1);  // without its last backslash
    folder.AppendChar(0);                      // a list of one name ends with two zeros
    SHFILEOPSTRUCTW remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = folder.GetText();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&remove);
    return 0;
}
