// The link preview as the user meets it: the time from the hover timer's
// expiry (300 ms after the mouse came onto the link) to the preview painted,
// for a note link and for a link to a 40,000-byte text file; beside it, in
// the same run, a bare rich edit of the same size and place given the same
// text read plainly, shown and painted (the floor any preview stands on).
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "bench/bench_program.h"
#include "bench/bench_timing.h"
#include "search/preview/preview_pane.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/shell_ids.h"
#include "notestore/note_store.h"
#include <stdio.h>
#include <string>

namespace {

const int kRounds = 30;
const int kTextFileBytes = 40000;

int WriteFileBytes(const WCHAR* path, const void* bytes, DWORD size)
{
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    BOOL ok = WriteFile(handle, bytes, size, &written, 0);
    CloseHandle(handle);
    return ok && written == size;
}

// Lines of words, as a text file or a note body holds them.
void Prose(int bytes, AIString& out)
{
    static const WCHAR* const kWords[] = {L"river",  L"stone",  L"market", L"window", L"letter",  L"garden",
                                          L"autumn", L"copper", L"field",  L"candle", L"morning", L"bridge"};
    out.Clear();
    for (int i = 0; out.GetLength() < bytes - 12; i++) {
        out.AppendText(kWords[(i * 7) % 12]);
        out.AppendText(i % 11 == 10 ? L"\r\n" : L" ");
    }
    while (out.GetLength() < bytes) out.AppendChar(L'.');
}

// The hover's work after the delay: the timer's expiry, then the pane painted.
double PreviewAfterDelay(const WCHAR* link)
{
    HideQuickPreview(0);
    Pump();
    PreviewLinkUnderCursor(link);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    OnMainTimer(g_mainPanel.GetHwndField(), kTimerLinkHover);
    UpdateWindow(GetLinkPreviewPane());
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

// The floor: the same text read plainly into a bare rich edit, shown (as the
// pane comes up hidden from the last preview) and painted.
double BareRichEdit(HWND bare, const WCHAR* path)
{
    SetWindowTextW(bare, L"");
    ShowWindow(bare, SW_HIDE);
    Pump();
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    static char bytes[kTextFileBytes + 1];
    DWORD got = 0;
    ReadFile(file, bytes, kTextFileBytes, &got, 0);
    CloseHandle(file);
    static WCHAR text[kTextFileBytes + 1];
    int chars = MultiByteToWideChar(CP_UTF8, 0, bytes, (int)got, text, kTextFileBytes);
    text[chars] = 0;
    SetWindowTextW(bare, text);
    SetWindowPos(bare, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(bare);
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

}  // namespace

int main()
{
    HWND frame = StartBenchProgram();
    if (!frame) return 1;
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString stamp;
    stamp.AppendInt((int)(GetTickCount() % 100000));
    AIString data(temp), textFile(temp), noteFile(temp);
    data.AppendText(L"tavik_preview_bench_").AppendString(stamp).AppendText(L".tavik");
    textFile.AppendText(L"tavik_preview_bench_").AppendString(stamp).AppendText(L".txt");
    noteFile.AppendText(L"tavik_preview_bench_note_").AppendString(stamp).AppendText(L".txt");

    AIString prose, file(L"Tavik 10\r\n");
    Prose(kTextFileBytes, prose);
    char* bytes = new char[kTextFileBytes];
    for (int i = 0; i < kTextFileBytes; i++) bytes[i] = (char)prose.CharAt(i);
    AIString noteBody;
    Prose(4000, noteBody);
    file.AppendText(L"\x00A4"
                    L"Garden\r\n")
        .AppendString(noteBody)
        .AppendText(L"\r\n{{\r\n}}\r\n");
    file.AppendText(L"\x00A4"
                    L"Plans\r\nSee Garden\r\n{{\r\n}}\r\n");
    std::string noteBytes;
    for (int i = 0; i < noteBody.GetLength(); i++) noteBytes.push_back((char)noteBody.CharAt(i));
    if (!WriteFileBytes(textFile.GetText(), bytes, kTextFileBytes) ||
        !WriteFileBytes(noteFile.GetText(), noteBytes.data(), (DWORD)noteBytes.size()) ||
        !WriteFileBytes(data.GetText(), "\xff\xfe", 2)) {
        printf("the files could not be written\n");
        return 1;
    }
    HANDLE handle = CreateFileW(data.GetText(), FILE_APPEND_DATA, 0, 0, OPEN_EXISTING, 0, 0);
    DWORD written = 0;
    WriteFile(handle, file.GetText(), (DWORD)file.GetLength() * 2, &written, 0);
    CloseHandle(handle);
    if (!OpenDatafile(data.GetText())) {
        printf("the data file did not open\n");
        return 1;
    }
    g_frame.RunGuarded(CreateMainWindow);
    ReadAndShowNote(FindNoteByTitle(L"Plans", 0, 0), kShowAndRecord);
    Pump();

    RECT place;
    GetPreviewRect(&place);
    HWND bare =
        CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | WS_VSCROLL,
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        g_mainPanel.GetHwndField(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bare, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    AIString fileLink(L"file:");
    fileLink.AppendString(textFile);

    double note[kRounds], noteFloor[kRounds], text[kRounds], textFloor[kRounds];
    double noteCold = PreviewAfterDelay(L"Garden");
    double textCold = PreviewAfterDelay(fileLink.GetText());
    for (int round = 0; round < kRounds; round++) {
        note[round] = PreviewAfterDelay(L"Garden");
        noteFloor[round] = BareRichEdit(bare, noteFile.GetText());
        text[round] = PreviewAfterDelay(fileLink.GetText());
        textFloor[round] = BareRichEdit(bare, textFile.GetText());
    }
    Figures n = Summary(note, kRounds), nf = Summary(noteFloor, kRounds);
    Figures t = Summary(text, kRounds), tf = Summary(textFloor, kRounds);
    printf("hover preview, from the timer's expiry to the pane painted (ms; %d rounds)\n", kRounds);
    printf("%-40s %8s %8s %8s\n", "", "first", "median", "worst");
    printf("%-40s %8.2f %8.2f %8.2f\n", "note (4,000 characters)", noteCold, n.median, n.worst);
    printf("%-40s %8s %8.2f %8.2f\n", "  bare rich edit, same text", "", nf.median, nf.worst);
    printf("%-40s %8.2f %8.2f %8.2f\n", "text file (40,000 bytes)", textCold, t.median, t.worst);
    printf("%-40s %8s %8.2f %8.2f\n", "  bare rich edit, same text", "", tf.median, tf.worst);
    printf("preview / bare: note %.2fx, text file %.2fx; target: under 50 ms after the delay\n",
           n.median / (nf.median > 0 ? nf.median : 1), t.median / (tf.median > 0 ? tf.median : 1));
    DestroyWindow(frame);
    CloseDatafileHandle();
    DeleteFileW(data.GetText());
    DeleteFileW(textFile.GetText());
    DeleteFileW(noteFile.GetText());
    delete[] bytes;
    return 0;
}
