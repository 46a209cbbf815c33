#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "foundation/message_pump.h"
#include "foundation/clipboard.h"
#include "foundation/errors.h"
#include "foundation/ai_string.h"
#include "foundation/ai_file.h"
#include "foundation/crash_report.h"
#include "foundation/trace.h"
#include "foundation/app.h"
#include "foundation/system_info.h"
#include "tests/support/keyboard.h"
#include <string.h>

namespace {

int g_dispatched = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 1) {
        g_dispatched++;
        return 0;
    }
    if (message == WM_APP + 2) {
        g_app.SetRunState(kRunClosing);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleW(0);
        wc.lpszClassName = L"TavikPumpTest";
        atom = RegisterClassW(&wc);
    }
    return CreateWindowExW(0, L"TavikPumpTest", L"", WS_POPUP, 0, 0, 10, 10, 0, 0, GetModuleHandleW(0), 0);
}

// Removes a quit left in the queue and gives its exit code (-1 when none).
int TakeQuit()
{
    MSG msg;
    while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) return (int)msg.wParam;
    return -1;
}

}  // namespace

TEST(MessagePump, DispatchesEverythingPending)
{
    HWND window = MakeWindow();
    g_dispatched = 0;
    for (int i = 0; i < 5; i++) PostMessageW(window, WM_APP + 1, 0, 0);
    EXPECT_EQ(PumpMessages(), 1);
    EXPECT_EQ(g_dispatched, 5);
    DestroyWindow(window);
    TakeQuit();
}

TEST(MessagePump, QuitIsPostedAgainAndPumpingStops)
{
    HWND window = MakeWindow();
    g_dispatched = 0;
    PostMessageW(window, WM_APP + 1, 0, 0);
    PostQuitMessage(7);
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(g_dispatched, 1);
    // Pumping again sees the same quit at once and still leaves it.
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(TakeQuit(), 7);
    EXPECT_EQ(PumpMessages(), 1);
    DestroyWindow(window);
}

TEST(MessagePump, ModalLoopEndsOnQuit)
{
    HWND window = MakeWindow();
    g_dispatched = 0;
    PostMessageW(window, WM_APP + 1, 0, 0);
    EXPECT_EQ(RunModalLoop(), 1);
    EXPECT_EQ(g_dispatched, 1);
    // A modal loop whose done flag is never set still ends once a quit arrives.
    PostQuitMessage(18);
    int rounds = 0;
    while (RunModalLoop() && rounds < 100) rounds++;
    EXPECT_LT(rounds, 100);
    EXPECT_EQ(TakeQuit(), 18);
    DestroyWindow(window);
}

TEST(MessagePump, MainLoopEndsOnQuitOrClosingState)
{
    HWND window = MakeWindow();
    g_dispatched = 0;
    PostMessageW(window, WM_APP + 1, 0, 0);
    PostQuitMessage(3);
    EXPECT_EQ(RunMessageLoop(0, window), 3);
    EXPECT_EQ(g_dispatched, 1);

    g_app.SetRunState(kRunRunning);
    PostMessageW(window, WM_APP + 2, 0, 0);
    PostMessageW(window, WM_APP + 1, 0, 0);
    EXPECT_EQ(RunMessageLoop(0, window), 0);
    EXPECT_EQ(g_app.GetRunState(), kRunClosing);
    EXPECT_EQ(g_dispatched, 1);  // the loop stopped right after the closing message
    g_app.SetRunState(kRunStarting);
    PumpMessages();
    DestroyWindow(window);
}

// The test keyboard's presses reach an edit control as typed keys do: the
// characters come from the loop's translation, Shift and Ctrl are seen by
// GetKeyState, and Backspace removes one character, not two.
TEST(MessagePump, WholeKeyPressesTypeAsAKeyboardDoes)
{
    HWND window = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 30, 0, 0, GetModuleHandleW(0), 0);
    ASSERT_NE(window, nullptr);
    SetFocus(window);
    ASSERT_EQ(GetFocus(), window);
    TestKeyboard keys;
    keys.Type(L"Ab1!x\b");
    WCHAR text[32] = {};
    GetWindowTextW(window, text, 32);
    EXPECT_EQ(Utf8(AIString(text)), "Ab1!");
    keys.Press(VK_HOME, kShiftKey);  // the control reads Shift with GetKeyState
    keys.Type(L"z");
    GetWindowTextW(window, text, 32);
    EXPECT_EQ(Utf8(AIString(text)), "z");
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    keys.Hold(VK_SHIFT);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    keys.Release(VK_SHIFT);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    DestroyWindow(window);
}

TEST(Clipboard, TextRoundTripAndBound)
{
    HWND window = MakeWindow();
    {
        AIClipboard clipboard(window);
        ASSERT_EQ(clipboard.SetText(L"Hello \x00A4 world"), 1);
    }
    AIClipboard clipboard(window);
    AIString text;
    ASSERT_EQ(clipboard.GetText(text, 1000), 1);
    EXPECT_EQ(Utf8(text), "Hello \xC2\xA4 world");
    ASSERT_EQ(clipboard.GetText(text, 5), 1);
    EXPECT_EQ(Utf8(text), "Hello");
    EXPECT_EQ(clipboard.GetText(text, 0), 0);
    EXPECT_EQ(clipboard.SetText(L"abcdef", 3), 1);
    clipboard.GetText(text, 100);
    EXPECT_EQ(Utf8(text), "abc");
    clipboard.Close();
    DestroyWindow(window);
}

TEST(Clipboard, DibRoundTripAndDamagedDibRefused)
{
    HWND window = MakeWindow();
    // A 3x2 24-bit DIB: rows padded to 12 bytes.
    const uint32_t total = sizeof(BITMAPINFOHEADER) + 12 * 2;
    uint8_t dib[total];
    memset(dib, 0, total);
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)dib;
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 3;
    header->biHeight = 2;
    header->biPlanes = 1;
    header->biBitCount = 24;
    for (uint32_t i = sizeof(BITMAPINFOHEADER); i < total; i++) dib[i] = (uint8_t)i;
    EXPECT_EQ(PackedDibSize(header, total), total);
    EXPECT_EQ(PackedDibSize(header, total - 1), 0u);  // pixels missing

    AIClipboard clipboard(window);
    EXPECT_EQ(clipboard.SetDib(dib, total - 1), 0);
    ASSERT_EQ(clipboard.SetDib(dib, total), 1);
    clipboard.Close();
    uint8_t* block = 0;
    uint32_t bytes = 0;
    ASSERT_EQ(clipboard.GetDib(&block, &bytes), 1);
    ASSERT_EQ(bytes, total);
    EXPECT_EQ(0, memcmp(block + sizeof(BITMAPINFOHEADER), dib + sizeof(BITMAPINFOHEADER), 24));
    LocalFree(block);

    // Headers no reader should trust.
    header->biBitCount = 7;
    EXPECT_EQ(PackedDibSize(header, total), 0u);
    header->biBitCount = 8;
    header->biClrUsed = 100000;
    EXPECT_EQ(PackedDibSize(header, 1u << 30), 0u);
    header->biClrUsed = 0;
    header->biWidth = 0x7FFFFFFF;
    EXPECT_EQ(PackedDibSize(header, 0xFFFFFFFFu), 0u);
    header->biWidth = 3;
    header->biHeight = -2;  // top-down
    EXPECT_EQ(PackedDibSize(header, 5000), sizeof(BITMAPINFOHEADER) + 256 * 4 + 8u);
    clipboard.Close();
    DestroyWindow(window);
}

namespace {
// Puts a raw block on the clipboard the way another program might.
void PutRawBlock(HWND window, UINT format, const void* data, SIZE_T bytes)
{
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
    CloseClipboard();
}
}  // namespace

TEST(Clipboard, BlocksFromOtherProgramsAreReadWithinTheirSize)
{
    HWND window = MakeWindow();
    // Text without a terminating zero.
    const WCHAR unterminated[4] = {'a', 'b', 'c', 'd'};
    PutRawBlock(window, CF_UNICODETEXT, unterminated, sizeof(unterminated));
    AIClipboard clipboard(window);
    AIString text;
    ASSERT_EQ(clipboard.GetText(text, 1000), 1);
    // Wine terminates the block itself (giving "abc"); nothing past it is read either way.
    EXPECT_TRUE(text.EqualsText(L"abcd") || text.EqualsText(L"abc")) << Utf8(text);
    clipboard.Close();

    // A DIB whose header claims more pixels than the block holds.
    uint8_t dib[sizeof(BITMAPINFOHEADER) + 16] = {0};
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)dib;
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 1000;
    header->biHeight = 1000;
    header->biPlanes = 1;
    header->biBitCount = 32;
    PutRawBlock(window, CF_DIB, dib, sizeof(dib));
    uint8_t* block = 0;
    uint32_t bytes = 0;
    EXPECT_EQ(clipboard.GetDib(&block, &bytes), 0);
    EXPECT_EQ(block, nullptr);
    clipboard.Close();
    DestroyWindow(window);
}

namespace {
int Failing(int depth)
{
    TRACE_SCOPE(999, 1);
    if (depth > 0) {
        // The caller passes the failure up without a new function entry in between.
        int inner = Failing(depth - 1);
        ReportError(1, L"Error", L"outer");
        return inner;
    }
    return ReportError(1, L"Error", L"inner");
}
}  // namespace

TEST(ErrorReport, ShownOnceBetweenFunctionEntriesAfterNo)
{
    int before = GetErrorReportCount();
    EXPECT_EQ(Failing(2), IDNO);
    EXPECT_EQ(GetErrorReportCount(), before + 1);
    // After "Yes" a retry that fails again is shown again.
    SetErrorAutoAnswer(IDYES);
    { TRACE_SCOPE(999, 3); }
    before = GetErrorReportCount();
    ReportError(1, L"Error", L"first");
    ReportError(1, L"Error", L"again");
    EXPECT_EQ(GetErrorReportCount(), before + 2);
    SetErrorAutoAnswer(IDNO);
    { TRACE_SCOPE(999, 2); }
    before = GetErrorReportCount();
    ReportError(1, L"Error", L"new step");
    EXPECT_EQ(GetErrorReportCount(), before + 1);
}

namespace {
WCHAR g_boxText[1024];
int g_boxAnswer = IDNO;
HANDLE g_releaseOnAnswer = INVALID_HANDLE_VALUE;

BOOL CALLBACK ReadAndCloseBox(HWND window, LPARAM)
{
    WCHAR className[16] = {0};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0) return TRUE;
    GetDlgItemTextW(window, 0xFFFF, g_boxText, 1024);  // the message box's text control
    if (g_releaseOnAnswer != INVALID_HANDLE_VALUE) {
        CloseHandle(g_releaseOnAnswer);
        g_releaseOnAnswer = INVALID_HANDLE_VALUE;
    }
    PostMessageW(window, WM_COMMAND, g_boxAnswer, 0);
    return FALSE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), ReadAndCloseBox, 0);
    if (g_boxText[0]) KillTimer(0, timer);
}

int CountOf(const WCHAR* text, const WCHAR* part)
{
    AIString all(text);
    int count = 0;
    for (int at = all.FindTextCase(part, 0); at >= 0; at = all.FindTextCase(part, at + 1)) count++;
    return count;
}
}  // namespace

TEST(ErrorReport, AsksTheRetryQuestionOnce)
{
    // Callers that already end their text with the question must not get it twice.
    SetErrorAutoAnswer(0);
    g_boxText[0] = 0;
    UINT_PTR timer = SetTimer(0, 0, 20, AnswerBox);
    AIString text(L"Could not write the file x");
    text.AppendText(kRetryQuestion);
    { TRACE_SCOPE(999, 4); }
    int answer = ReportError(5, L"Error", text.GetText());
    KillTimer(0, timer);
    SetErrorAutoAnswer(IDNO);
    EXPECT_EQ(IDNO, answer);
    EXPECT_EQ(1, CountOf(g_boxText, L"Select Yes to Retry"));
    EXPECT_EQ(1, CountOf(g_boxText, L"Could not write the file x"));
}

TEST(ErrorReport, YesRetriesAFailedSave)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString path(temp);
    path.AppendText(L"tavik_retry_save.txt");
    HANDLE file = CreateFileW(path.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "old", 3, &written, 0);
    // The target is held until the user answers Yes: the save must then go through.
    g_releaseOnAnswer = file;
    g_boxAnswer = IDYES;
    g_boxText[0] = 0;
    SetErrorAutoAnswer(0);
    UINT_PTR timer = SetTimer(0, 0, 20, AnswerBox);
    { TRACE_SCOPE(999, 5); }
    int saved = AIFile::WriteUtf16File(path.GetText(), L"new", 3);
    KillTimer(0, timer);
    SetErrorAutoAnswer(IDNO);
    g_boxAnswer = IDNO;
    if (g_releaseOnAnswer != INVALID_HANDLE_VALUE) CloseHandle(g_releaseOnAnswer);
    g_releaseOnAnswer = INVALID_HANDLE_VALUE;
    EXPECT_NE(0, g_boxText[0]);
    EXPECT_EQ(1, saved);
    EXPECT_EQ(2 + 6, AIFile::GetSizeByName(path.GetText()));
    DeleteFileW(path.GetText());
}

TEST(CrashDump, NamedByDateWithTheTrace)
{
    { TRACE_SCOPE(999, 7); }
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString path;
    ASSERT_EQ(WriteCrashDump(temp, 0xC0000005u, (void*)0x1234, path), 1);
    AIString name(path);
    name.SplitAtChar('\\', 1, 1);
    EXPECT_TRUE(name.StartsWith(L"app_error_dump_I_")) << Utf8(name);
    EXPECT_TRUE(name.EndsWithNoCase(L".txt"));
    EXPECT_EQ(name.GetLength(), 17 + 15 + 4) << Utf8(name);  // yyyymmdd_hhmmss

    HANDLE file = CreateFileW(path.GetText(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    WCHAR content[4096] = {0};
    DWORD got = 0;
    ReadFile(file, content, sizeof(content) - 2, &got, 0);
    CloseHandle(file);
    DeleteFileW(path.GetText());
    EXPECT_EQ(content[0], 0xFEFF);
    AIString text(content + 1);
    EXPECT_GE(text.FindText(L"0xC0000005"), 0);
    EXPECT_GE(text.FindText(L"99900070"), 0);
}

// Run in a child process of this test program: installs the reporter and crashes.
TEST(CrashDump, ChildThatCrashes)
{
    WCHAR flag[8];
    if (!GetEnvironmentVariableW(L"TAVIK_CRASH_CHILD", flag, 8)) GTEST_SKIP();
    InstallCrashReporter();
    { TRACE_SCOPE(999, 9); }
    volatile int* nowhere = 0;
    *nowhere = 1;
}

TEST(CrashDump, UnhandledExceptionWritesDumpAndEndsWithOne)
{
    AIString module;
    ThisTestProgramFile(module);
    AIString commandLine(L"\"");
    commandLine.AppendString(module).AppendText(L"\" --gtest_filter=CrashDump.ChildThatCrashes");
    SetEnvironmentVariableW(L"TAVIK_CRASH_CHILD", L"1");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(0, commandLine.GetBuffer(commandLine.GetLength()), 0, 0, FALSE, 0, 0, 0, &startup, &process);
    SetEnvironmentVariableW(L"TAVIK_CRASH_CHILD", 0);
    ASSERT_TRUE(started) << Utf8(commandLine);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(code, 1u);

    // The dump lies in the documents folder and holds the child's last trace.
    AISystemInfo info;
    AIString pattern(info.GetDocumentsFolder());
    pattern.AppendText(L"\\app_error_dump_I_*.txt");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int withTrace = 0;
    do {
        AIString path(info.GetDocumentsFolder());
        path.AppendChar('\\').AppendText(found.cFileName);
        HANDLE file = CreateFileW(path.GetText(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
        WCHAR content[4096] = {0};
        DWORD got = 0;
        if (file != INVALID_HANDLE_VALUE) {
            ReadFile(file, content, sizeof(content) - 2, &got, 0);
            CloseHandle(file);
        }
        if (AIString(content).FindText(L"99900090") >= 0) withTrace = 1;
        DeleteFileW(path.GetText());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(withTrace, 1);
}
