// Showing a note that is one long paragraph, and typing into it, through the
// program's own frame, content window and show command, beside the same text
// in lines of about 80 characters; typing also into a bare rich edit of the
// editor's size holding the same paragraph laid out the same way (what the
// rich edit costs by itself, without the program's handlers); the paragraph
// made a heading and plain again, beside a bare rich edit putting the same
// paragraph in again with a heading's format and back; and, on request, the
// text set into a bare rich edit and formatted without care for its layout.
// Like for like: one process, the same text; keys are whole key presses
// through the thread's queue (the program's with its accelerators and main
// loop), and every step is timed until the queue is empty again (work it
// posts counts). Program and bare rich edit take turns, a block each; every
// figure is a median with its min and max.
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
#include "bench/bench_keys.h"
#include "shell/command_table.h"
#include "ui/long_paragraph_layout.h"
#include <ole2.h>
#include <shellapi.h>
#include <richedit.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

const int kParagraphChars = 50000;
const int kKeystrokes = 15;      // a side, in kBlocks blocks taken in turn
const int kBlocks = 3;
const int kHeadingRounds = 3;    // each a heading on and off, program and bare in turn


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


TestKeyboard* g_keys = nullptr;      // the program's keys: its accelerators and main loop
TestKeyboard* g_bareKeys = nullptr;  // a plain loop's, for the bare rich edit

// Showing a note from another one, until idle.
double ShowMs(const WCHAR* title)
{
    ReadAndShowNote(FindNoteByTitle(L"A_short_note", 0, 0), kShowFromHistory);
    PumpUntilIdle(*g_keys);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    ReadAndShowNote(FindNoteByTitle(title, 0, 0), kShowFromHistory);
    PumpUntilIdle(*g_keys);
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

double ElapsedSince(LARGE_INTEGER t0)
{
    LARGE_INTEGER t1;
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

// The paragraph made a heading, then plain text again, each until idle: the
// paragraph is put in again whole, twice.
void HeadingOnOffMs(HWND editor, double* on, double* off)
{
    CHARRANGE inside = {100, 100};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inside);
    PumpUntilIdle(*g_keys);
    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    ToggleHeading(nullptr, kHeadingLevel1);
    PumpUntilIdle(*g_keys);
    *on = ElapsedSince(t0);
    QueryPerformanceCounter(&t0);
    ToggleHeading(nullptr, kHeadingPlain);
    PumpUntilIdle(*g_keys);
    *off = ElapsedSince(t0);
}

// The same change in a bare rich edit: the first paragraph put in again whole
// with "# " and a heading's format (larger, bold), laid out once, and back.
void BareHeadingOnOffMs(HWND editor, const AIString& paragraph, double* on, double* off)
{
    for (int step = 0; step < 2; step++) {
        AIString text(step == 0 ? L"# " : L"");
        text.AppendString(paragraph);
        int oldLength = paragraph.GetLength() + (step == 0 ? 0 : 2);
        PumpUntilIdle(*g_bareKeys);
        LARGE_INTEGER t0;
        QueryPerformanceCounter(&t0);
        {
            LayoutPause oneLayout(editor);
            CHARRANGE replace = {0, oldLength};
            SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&replace);
            SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)text.GetText());
            CHARRANGE whole = {0, text.GetLength()};
            SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&whole);
            CHARFORMAT2W format = {};
            format.cbSize = sizeof format;
            format.dwMask = CFM_SIZE | CFM_BOLD;
            format.yHeight = (step == 0 ? 16 : 11) * 20;
            format.dwEffects = step == 0 ? CFE_BOLD : 0;
            SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
            CHARRANGE caret = {100, 100};
            SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&caret);
        }
        PumpUntilIdle(*g_bareKeys);
        (step == 0 ? *on : *off) = ElapsedSince(t0);
    }
}

// Where the next keys go: the middle of the text.
void PlaceCaretInMiddle(HWND editor)
{
    GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
    int length = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
    CHARRANGE middle = {length / 2, length / 2};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&middle);
}

// count whole key presses of "k" at the caret, each until idle, into times.
void TypeAtCaret(TestKeyboard& keys, HWND editor, double* times, int count)
{
    SetFocus(editor);
    PumpUntilIdle(keys);
    for (int i = 0; i < count; i++) times[i] = TimeKeyPress(keys, 'K');
}

// Enter in the middle of the text, then Backspace joining the two paragraphs
// again, as whole key presses until idle: one pair.
double SplitAndJoinAt(TestKeyboard& keys, HWND editor, int position)
{
    SetFocus(editor);
    CHARRANGE at = {position, position};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&at);
    PumpUntilIdle(keys);
    return TimeKeyPress(keys, VK_RETURN) + TimeKeyPress(keys, VK_BACK);
}

// A bare rich edit of the program editor's size, with the paragraph put in as
// the program puts it; its host window.
HWND OpenBareEditor(AIControl& editor, const AIString& text, HWND programEditor)
{
    HWND host = CreateBenchEditorHost(editor);
    if (!host) return 0;
    HWND hwnd = editor.GetHwnd();
    RECT size;
    GetClientRect(programEditor, &size);
    SetWindowPos(hwnd, 0, 0, 0, size.right, size.bottom, SWP_NOZORDER | SWP_NOMOVE);
    SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 200000);
    {
        LayoutPause oneLayout(hwnd);
        SetEditorTextInRuns(hwnd, text.GetText(), text.GetLength());
    }
    return host;
}

void PrintSpread(const char* what, double* times, int count)
{
    Spread spread = SpreadOf(times, count);
    printf("%s median %.1f ms, min %.1f, max %.1f\n", what, spread.median, spread.min, spread.max);
}

// Per pair: a[i] / b[i], into ratio.
void Ratios(const double* a, const double* b, double* ratio, int count)
{
    for (int i = 0; i < count; i++) ratio[i] = a[i] / (b[i] > 0.001 ? b[i] : 0.001);
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
    HACCEL accelerators = CreateCommandAccelerators();
    TestKeyboard programKeys(accelerators, frame), bareKeys;
    g_keys = &programKeys;
    g_bareKeys = &bareKeys;
    const int kShows = 3;
    double linesShow[kShows], paragraphShow[kShows];
    for (int i = 0; i < kShows; i++) {
        linesShow[i] = ShowMs(L"In_lines");
        paragraphShow[i] = ShowMs(L"One_paragraph");
    }
    ShowMs(L"In_lines");
    PlaceCaretInMiddle(editor);
    double linesKey[kKeystrokes];
    TypeAtCaret(programKeys, editor, linesKey, kKeystrokes);
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    ShowMs(L"One_paragraph");
    PlaceCaretInMiddle(editor);
    AIControl bare;
    HWND bareHost = OpenBareEditor(bare, paragraph, editor);
    if (!bareHost) {
        printf("the bare rich edit did not open\n");
        return 1;
    }
    HWND bareEditor = bare.GetHwnd();
    PlaceCaretInMiddle(bareEditor);
    double paragraphKey[kKeystrokes], bareKey[kKeystrokes], keyRatio[kKeystrokes];
    const int perBlock = kKeystrokes / kBlocks;
    for (int block = 0; block < kBlocks; block++) {
        int at = block * perBlock;
        if (block % 2 == 0) {
            TypeAtCaret(programKeys, editor, paragraphKey + at, perBlock);
            TypeAtCaret(bareKeys, bareEditor, bareKey + at, perBlock);
        } else {
            TypeAtCaret(bareKeys, bareEditor, bareKey + at, perBlock);
            TypeAtCaret(programKeys, editor, paragraphKey + at, perBlock);
        }
    }
    Ratios(paragraphKey, bareKey, keyRatio, kKeystrokes);
    const int kPairs = 5;
    double split[kPairs], bareSplit[kPairs], splitRatio[kPairs];
    for (int i = 0; i < kPairs; i++) {
        GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
        int length = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
        int position = length / 2 + i * 7;
        if (i % 2 == 0) {
            split[i] = SplitAndJoinAt(programKeys, editor, position);
            bareSplit[i] = SplitAndJoinAt(bareKeys, bareEditor, position);
        } else {
            bareSplit[i] = SplitAndJoinAt(bareKeys, bareEditor, position);
            split[i] = SplitAndJoinAt(programKeys, editor, position);
        }
    }
    Ratios(split, bareSplit, splitRatio, kPairs);
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    double headingOn[kHeadingRounds], headingOff[kHeadingRounds], bareOn[kHeadingRounds], bareOff[kHeadingRounds];
    int rounds = argc > 2 ? atoi(argv[2]) : kHeadingRounds;
    if (rounds < 1 || rounds > kHeadingRounds) rounds = kHeadingRounds;
    // The bare rich edit's first paragraph is the whole paragraph (its
    // typing went into it as into the program's: the same text).
    AIString bareText;
    {
        GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
        int length = (int)SendMessageW(bareEditor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
        WCHAR* buffer = bareText.GetBuffer(length + 1);
        GETTEXTEX get = {(DWORD)((length + 1) * sizeof(WCHAR)), GT_DEFAULT, 1200, nullptr, nullptr};
        int got = (int)SendMessageW(bareEditor, EM_GETTEXTEX, (WPARAM)&get, (LPARAM)buffer);
        bareText.SetLength(got);
        int end = 0;
        while (end < got && buffer[end] != L'\r' && buffer[end] != L'\n') end++;
        bareText.SetLength(end);
    }
    for (int i = 0; i < rounds; i++) {
        if (i % 2 == 0) {
            HeadingOnOffMs(editor, &headingOn[i], &headingOff[i]);
            BareHeadingOnOffMs(bareEditor, bareText, &bareOn[i], &bareOff[i]);
        } else {
            BareHeadingOnOffMs(bareEditor, bareText, &bareOn[i], &bareOff[i]);
            HeadingOnOffMs(editor, &headingOn[i], &headingOff[i]);
        }
    }
    double afterToggleKey[kKeystrokes];
    PlaceCaretInMiddle(editor);
    TypeAtCaret(programKeys, editor, afterToggleKey, kKeystrokes);
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    DestroyWindow(bareHost);

    printf("a note of %d characters in one process; whole key presses through the queue, each step until idle "
           "(medians with min and max):\n", kParagraphChars);
    PrintSpread("  shown, in lines of about 80 characters:   ", linesShow, kShows);
    PrintSpread("  shown, as one paragraph:                  ", paragraphShow, kShows);
    PrintSpread("  key, in lines:                            ", linesKey, kKeystrokes);
    PrintSpread("  key, in the paragraph:                    ", paragraphKey, kKeystrokes);
    PrintSpread("  key, the paragraph in a bare rich edit:   ", bareKey, kKeystrokes);
    Spread keyX = SpreadOf(keyRatio, kKeystrokes);
    printf("  key, program / bare rich edit, key by key: median %.2fx, min %.2fx, max %.2fx\n", keyX.median,
           keyX.min, keyX.max);
    PrintSpread("  Enter and Backspace, program:             ", split, kPairs);
    PrintSpread("  Enter and Backspace, bare rich edit:      ", bareSplit, kPairs);
    Spread splitX = SpreadOf(splitRatio, kPairs);
    printf("  Enter and Backspace, program / bare:       median %.2fx, min %.2fx, max %.2fx\n", splitX.median,
           splitX.min, splitX.max);
    PrintSpread("  made a heading, program:                  ", headingOn, rounds);
    PrintSpread("  made plain again, program:                ", headingOff, rounds);
    PrintSpread("  the same change, bare rich edit, on:      ", bareOn, rounds);
    PrintSpread("  the same change, bare rich edit, off:     ", bareOff, rounds);
    PrintSpread("  key, in the paragraph after the heading:  ", afterToggleKey, kKeystrokes);
    DestroyAcceleratorTable(accelerators);
    // The bare rich edit takes many seconds: only on request.
    if (argc > 1 && lstrcmpA(argv[1], "naive") == 0) {
        double naive = NaiveMs(paragraph);
        printf("  the paragraph set into a bare rich edit and formatted once: %.0f ms\n", naive);
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
