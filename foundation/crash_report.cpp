#include "foundation/crash_report.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "foundation/errors.h"
#include "foundation/file_write.h"
#include "foundation/trace.h"

namespace {

#ifdef __MINGW32__
// The bounds of this module's image: the linker's __ImageBase and the size the
// PE header gives.
extern "C" IMAGE_DOS_HEADER __ImageBase;
const char* CodeStart() { return (const char*)&__ImageBase; }
const char* CodeEnd()
{
    const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)(CodeStart() + __ImageBase.e_lfanew);
    return CodeStart() + nt->OptionalHeader.SizeOfImage;
}
#else
// The bounds of this module's code, set by the linker.
extern "C" char __ehdr_start;
extern "C" char etext;
const char* CodeStart() { return &__ehdr_start; }
const char* CodeEnd() { return &etext; }
#endif

void AppendTwoDigits(AIString& text, int value)
{
    if (value < 10) text.AppendChar('0');
    text.AppendInt(value);
}

void AppendHex(AIString& text, uint64_t value)
{
    static const WCHAR kHex[] = L"0123456789ABCDEF";
    text.AppendText(L"0x");
    int shift = value > 0xFFFFFFFFull ? 60 : 28;
    for (; shift >= 0; shift -= 4) text.AppendChar(kHex[(value >> shift) & 15]);
}

// While the report's message box shows, only the box itself gets its
// messages: the program's timers and windows would run on in the state
// that just failed (a timer would save a note from it, or fault again).
LRESULT CALLBACK OnlyTheReportBox(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = (const MSG*)lParam;
    if (code == MSGF_DIALOGBOX && message) {
        HWND root = message->hwnd ? GetAncestor(message->hwnd, GA_ROOT) : 0;
        WCHAR className[16] = {};
        if (root) GetClassNameW(root, className, 16);
        if (!root || lstrcmpW(className, L"#32770") != 0) return 1;
    }
    return CallNextHookEx(0, code, wParam, lParam);
}

LONG s_reporting = 0;

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers)
{
    // A fault while the report is under way: the first one's dump stands.
    if (InterlockedExchange(&s_reporting, 1)) ExitProcess(1);
    // Nothing after this point may add to the trace the dump shows.
    TraceStop();
    uint32_t code = 0;
    const void* address = 0;
    if (pointers && pointers->ExceptionRecord) {
        code = pointers->ExceptionRecord->ExceptionCode;
        address = pointers->ExceptionRecord->ExceptionAddress;
    }
    AIString path;
    WriteCrashDump(g_app.system.GetDocumentsFolder(), code, address, path);
    AIString message(g_app.GetName());
    message.AppendText(L" has stopped because of an unexpected error.\n\nA report was written to:\n");
    message.AppendString(path);
    // Unattended runs (tests) have no one to read the message.
    if (!GetErrorAutoAnswer()) {
        SetWindowsHookExW(WH_MSGFILTER, OnlyTheReportBox, 0, GetCurrentThreadId());
        MessageBoxW(0, message.GetText(), L"Critical Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
    ExitProcess(1);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool IsFatalCode(DWORD code)
{
    return code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_ILLEGAL_INSTRUCTION ||
           code == EXCEPTION_PRIV_INSTRUCTION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
           code == EXCEPTION_ARRAY_BOUNDS_EXCEEDED || code == EXCEPTION_STACK_OVERFLOW ||
           code == EXCEPTION_DATATYPE_MISALIGNMENT;
}

// Under Wine the frames of this module carry no unwind data that the
// exception dispatcher can walk, so a fault here never reaches the unhandled
// filter. The program's own code catches no exceptions, so a fatal fault whose
// address lies in its code is unhandled by definition: report it at once.
LONG WINAPI CrashVectored(EXCEPTION_POINTERS* pointers)
{
    if (!pointers || !pointers->ExceptionRecord) return EXCEPTION_CONTINUE_SEARCH;
    const char* address = (const char*)pointers->ExceptionRecord->ExceptionAddress;
    if (!IsFatalCode(pointers->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    if (address < CodeStart() || address >= CodeEnd()) return EXCEPTION_CONTINUE_SEARCH;
    return CrashFilter(pointers);
}

}  // namespace

void InstallCrashReporter()
{
    static int installed = 0;
    if (installed) return;
    installed = 1;
    SetUnhandledExceptionFilter(CrashFilter);
    AddVectoredExceptionHandler(1, CrashVectored);
}

int WriteCrashDump(const WCHAR* folder, uint32_t code, const void* address, AIString& pathOut)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    pathOut.AssignText(folder);
    if (pathOut.GetLength() && pathOut.CharAt(pathOut.GetLength() - 1) != '\\') pathOut.AppendChar('\\');
    pathOut.AppendText(L"app_error_dump_I_").AppendInt(now.wYear);
    AppendTwoDigits(pathOut, now.wMonth);
    AppendTwoDigits(pathOut, now.wDay);
    pathOut.AppendChar('_');
    AppendTwoDigits(pathOut, now.wHour);
    AppendTwoDigits(pathOut, now.wMinute);
    AppendTwoDigits(pathOut, now.wSecond);
    pathOut.AppendText(L".txt");

    AIString text;
    text.AppendText(g_app.GetName()).AppendChar(' ').AppendText(g_app.GetVersionText()).AppendText(L"\r\n");
    text.AppendText(g_app.GetWindowsVersionText()).AppendText(L"\r\n");
    text.AppendText(L"Exception ");
    AppendHex(text, code);
    text.AppendText(L" at ");
    AppendHex(text, (uint64_t)(uintptr_t)address);
    text.AppendText(L"\r\nTrace (oldest first):\r\n");
    int32_t ids[kTraceRingSize];
    int count = TraceSnapshot(ids, kTraceRingSize);
    for (int i = 0; i < count; i++) text.AppendInt(ids[i]).AppendText(L"\r\n");
    text.AppendText(L"Stack:\r\n");
    int depth = g_traceStack.depth < kTraceStackDepth ? g_traceStack.depth : kTraceStackDepth;
    for (int i = 0; i < depth; i++) text.AppendInt(g_traceStack.frames[i]).AppendText(L"\r\n");

    HANDLE file = CreateFileW(pathOut.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    static const BYTE kBom[2] = {0xFF, 0xFE};
    int ok = WriteAllToFile(file, kBom, 2) && WriteAllToFile(file, text.GetText(), (int64_t)text.GetLength() * 2);
    CloseHandle(file);
    return ok;
}
