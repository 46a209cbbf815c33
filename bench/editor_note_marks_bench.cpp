// Marking a 50,000-character note against 10,000 note titles in a real rich
// edit: building the title look-up, finding the runs, writing the formats.
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "editor/note_link_scan.h"
#include "editor/note_title_matcher.h"
#include "editor/note_marks.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "bench/bench_editor_host.h"
#include <stdio.h>
#include <stdlib.h>
#include "bench/bench_timing.h"

static const char* const kSyllables[] = {"ka", "lo", "mi", "ren", "tas", "vo", "pel", "dur", "sin", "ba",
                                         "ter", "go", "nu", "fay", "ri", "mon", "el", "zu", "ha", "qua"};

// A word of two or three syllables from a seed.
static void AppendWord(AIString& out, unsigned seed)
{
    int count = 2 + (int)(seed % 2);
    for (int i = 0; i < count; i++) {
        out.AppendAscii(kSyllables[seed % 20]);
        seed /= 20;
    }
}

// One note of about `chars` characters: words of the titles' vocabulary, a
// title every `titleEvery` words, lines of about 80 characters.
static void MakeNote(AIString& note, const AIString* titles, int titleCount, int chars, int titleEvery)
{
    unsigned seed = 12345;
    int words = 0, lineChars = 0;
    while (note.GetLength() < chars - 40) {
        seed = seed * 1103515245u + 12345u;
        int before = note.GetLength();
        if (++words % titleEvery == 0) {
            AIString title;
            title.Copy(titles[(seed >> 8) % (unsigned)titleCount]);
            title.ReplaceAll(L"_", L" ");
            note.AppendString(title);
        } else if (words % 97 == 0) {
            note.AppendText(L"@tag").AppendInt(words % 7);
        } else {
            AppendWord(note, seed >> 4);
        }
        lineChars += note.GetLength() - before;
        if (lineChars > 80) {
            note.AppendText(L".\r");
            lineChars = 0;
        } else {
            note.AppendChar(L' ');
        }
    }
}

int main()
{
    const int kTitles = 10000, kNoteChars = 50000;
    AIControl editor;
    HWND host = CreateBenchEditorHost(editor);
    if (!host) {
        printf("no rich edit\n");
        return 1;
    }
    SendMessageW(editor.GetHwnd(), EM_EXLIMITTEXT, 0, 200000);
    editor.SetColourByKind(1);

    // 10,000 distinct titles of one to three words.
    static AIString titles[kTitles];
    AIStringTable& index = *g_noteStore.noteIndex;
    unsigned seed = 777;
    for (int i = 0; i < kTitles; i++) {
        seed = seed * 1103515245u + 12345u;
        int words = 1 + (int)((seed >> 16) % 3);
        for (int w = 0; w < words; w++) {
            if (w) titles[i].AppendChar(L'_');
            AppendWord(titles[i], (seed >> 3) + (unsigned)w * 7919u);
        }
        titles[i].AppendChar(L'_').AppendInt(i % 10);  // keeps them distinct
        if (titles[i].GetLength() > 30) titles[i].SetLength(30);
        index.AddItemString(titles[i].GetText(), L"0", 0);
    }
    index.SortIndex();
    g_noteStore.currentTitle.AssignText(L"Bench_note");
    g_noteStore.hyperlinks->AddItemString(L"home", L"http://home.example.org");

    struct Case {
        const char* name;
        int titleEvery;
    } cases[] = {{"about 300 titles", 25}, {"over the cap (1,000 titles)", 4}};
    for (const Case& c : cases) {
        AIString note;
        MakeNote(note, titles, kTitles, kNoteChars, c.titleEvery);
        note.AppendText(L" [home] www.example.org **bold** //italic// --strike--");

        LARGE_INTEGER t0, t1;
        TitleMatcher matcher;
        QueryPerformanceCounter(&t0);
        matcher.AddIndexTitles(index);
        QueryPerformanceCounter(&t1);
        double buildMs = Milliseconds(t0, t1);

        double best = 1e9, bestScan = 0, bestWrite = 0, bestDrawingOff = 1e9;
        NoteMarkCounts counts = {};
        for (int round = 0; round < 3; round++) {
            SetWindowTextW(editor.GetHwnd(), note.GetText());
            QueryPerformanceCounter(&t0);
            ShowAllNoteMarks(&editor, &counts);
            QueryPerformanceCounter(&t1);
            double ms = Milliseconds(t0, t1);
            if (ms < best) {
                best = ms;
                bestScan = counts.scanMs;
                bestWrite = counts.writeMs;
            }
            // As the note is shown: the text replaced and marked with drawing off.
            SendMessageW(editor.GetHwnd(), WM_SETREDRAW, FALSE, 0);
            SetWindowTextW(editor.GetHwnd(), note.GetText());
            QueryPerformanceCounter(&t0);
            ShowAllNoteMarks(&editor, &counts);
            QueryPerformanceCounter(&t1);
            SendMessageW(editor.GetHwnd(), WM_SETREDRAW, TRUE, 0);
            if (Milliseconds(t0, t1) < bestDrawingOff) bestDrawingOff = Milliseconds(t0, t1);
        }
        // One line re-marked after an edit, the caret in the middle of the note.
        CHARRANGE middle = {note.GetLength() / 2, note.GetLength() / 2};
        SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&middle);
        double lineBest = 1e9;
        for (int round = 0; round < 5; round++) {
            QueryPerformanceCounter(&t0);
            ApplyLineMarks(&editor, 1);
            QueryPerformanceCounter(&t1);
            if (Milliseconds(t0, t1) < lineBest) lineBest = Milliseconds(t0, t1);
        }
        printf("%s: note %d characters, %d titles in the index\n", c.name, note.GetLength(), kTitles);
        printf("  runs: %d note links%s, %d tags, %d hyperlinks, %d addresses, %d effects\n", counts.noteLinks,
               counts.capHit ? " (cap reached)" : "", counts.tags, counts.hyperlinks, counts.addresses,
               counts.effects);
        printf("  title look-up built in %.2f ms\n", buildMs);
        printf("  marking the note: %.1f ms (finding runs %.1f ms, reading text and writing formats %.1f ms)\n",
               best, bestScan, bestWrite);
        printf("  the same with the editor's drawing off, as when a note is shown: %.1f ms\n", bestDrawingOff);
        printf("  re-marking the caret's line after an edit: %.2f ms\n", lineBest);
    }
    DestroyWindow(host);
    return 0;
}
