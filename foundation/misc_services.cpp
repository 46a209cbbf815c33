#include "foundation/misc_services.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

namespace {

const int kModule = kTraceMiscServices;

typedef HRESULT(WINAPI* DwmFlushFn)(void);
typedef HRESULT(WINAPI* DwmIsCompositionEnabledFn)(BOOL*);
typedef LONG(WINAPI* RtlGetVersionFn)(OSVERSIONINFOW*);

struct DwmEntries {
    int looked;
    DwmFlushFn flush;
    DwmIsCompositionEnabledFn isEnabled;
};
DwmEntries g_dwm;

// dwmapi exists from Windows Vista on: look it up once at run time.
const DwmEntries& Dwm()
{
    if (!g_dwm.looked) {
        g_dwm.looked = 1;
        HMODULE module = LoadLibraryW(L"dwmapi.dll");
        if (module) {
            g_dwm.flush = (DwmFlushFn)(void*)GetProcAddress(module, "DwmFlush");
            g_dwm.isEnabled = (DwmIsCompositionEnabledFn)(void*)GetProcAddress(module, "DwmIsCompositionEnabled");
        }
    }
    return g_dwm;
}

int g_delayValue = 200;
int g_bitsPerPixel = 0;
int g_cursorShown = 1;

const WCHAR* ProductName(DWORD major, DWORD minor)
{
    if (major == 5 && minor == 0) return L"Windows 2000";
    if (major == 5 && minor == 1) return L"Windows XP";
    if (major == 5 && minor == 2) return L"Windows Server 2003";
    if (major == 6 && minor == 0) return L"Windows Vista";
    if (major == 6 && minor == 1) return L"Windows 7";
    if (major == 6 && minor == 2) return L"Windows 8";
    if (major == 6 && minor == 3) return L"Windows 8.1";
    if (major == 10) return L"Windows 10";
    return L"Windows";
}

}  // namespace

void GetTempFilePath(const WCHAR* name, AIString& out)
{
    if (!name || !*name || g_app.system.IsPortable()) {
        out.AssignText(g_app.system.GetTempFolder());
        return;
    }
    WCHAR path[MAX_PATH + 1] = {0};
    DWORD n = GetTempPathW(MAX_PATH, path);
    if (n >= MAX_PATH) n = 0;
    out.AssignTextN(path, (int)n);
    if (out.GetLength() && out.CharAt(out.GetLength() - 1) != '\\') out.AppendChar('\\');
    out.AppendText(name);
}

double GetWindowsVersionName(AIString& text)
{
    TRACE_SCOPE(kModule, 1);
    OSVERSIONINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(info);
    // RtlGetVersion tells the truth where GetVersionExW is capped by the manifest.
    RtlGetVersionFn rtlGetVersion = (RtlGetVersionFn)(void*)GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        info.dwMajorVersion = 5;
        info.dwMinorVersion = 1;
        info.dwBuildNumber = 0;
    }
    text.AssignText(ProductName(info.dwMajorVersion, info.dwMinorVersion));
    text.AppendText(L" (build ").AppendUnsigned(info.dwBuildNumber & 0xFFFF).AppendChar(')');
    return (double)info.dwMajorVersion + (double)(info.dwMinorVersion % 10) / 10.0;
}

int GetModuleVersion(const WCHAR* moduleName, int32_t parts[4])
{
    TRACE_SCOPE(kModule, 2);
    for (int i = 0; i < 4; i++) parts[i] = 0;
    if (!moduleName) return 0;
    WCHAR path[MAX_PATH + 1] = {0};
    HMODULE module = GetModuleHandleW(moduleName);
    DWORD n = module ? GetModuleFileNameW(module, path, MAX_PATH) : 0;
    if (n == 0 || n >= MAX_PATH) CopyTextBounded(path, MAX_PATH + 1, moduleName);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) return 0;
    void* block = LocalAlloc(LPTR, size);
    if (!block) return 0;
    int ok = 0;
    VS_FIXEDFILEINFO* fixed = 0;
    UINT fixedSize = 0;
    if (GetFileVersionInfoW(path, 0, size, block) && VerQueryValueW(block, L"\\", (void**)&fixed, &fixedSize) &&
        fixed && fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        parts[0] = HIWORD(fixed->dwFileVersionMS);
        parts[1] = LOWORD(fixed->dwFileVersionMS);
        parts[2] = HIWORD(fixed->dwFileVersionLS);
        parts[3] = LOWORD(fixed->dwFileVersionLS);
        ok = 1;
    }
    LocalFree(block);
    return ok;
}

int GetScreenBitsPerPixel()
{
    if (!g_bitsPerPixel) {
        HDC screen = GetDC(0);
        if (screen) {
            g_bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
            ReleaseDC(0, screen);
        }
    }
    return g_bitsPerPixel;
}

int GetSetDelayValue(int value)
{
    if (value != 0) g_delayValue = value;
    return g_delayValue;
}

void FlushComposition(int flag)
{
    if (!flag) return;
    const DwmEntries& dwm = Dwm();
    if (!dwm.flush || FAILED(dwm.flush())) GdiFlush();
}

int IsCompositionEnabled()
{
    const DwmEntries& dwm = Dwm();
    BOOL enabled = FALSE;
    if (!dwm.isEnabled || FAILED(dwm.isEnabled(&enabled))) return 0;
    return enabled ? 1 : 0;
}

void ShowCaretState(int show)
{
    show = show ? 1 : 0;
    if (show == g_cursorShown) return;
    ShowCursor(show ? TRUE : FALSE);
    g_cursorShown = show;
}

void ResetCaretState() { ShowCaretState(1); }

void SetCursorShape(int kind)
{
    const WCHAR* id = IDC_ARROW;
    if (kind == 2) id = IDC_HAND;
    else if (kind == 5) id = IDC_WAIT;
    SetCursor(LoadCursorW(0, id));
}

// Presses and releases the keys in order, the releases in reverse order, as
// one uninterrupted block of input. Returns the events inserted.
static int SendKeys(const WORD* keys, int count)
{
    INPUT inputs[4];
    ZeroMemory(inputs, sizeof(inputs));
    for (int i = 0; i < count; i++) {
        INPUT& press = inputs[i];
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = keys[i];
        press.ki.wScan = (WORD)MapVirtualKeyW(keys[i], 0);
        inputs[2 * count - 1 - i] = press;
        inputs[2 * count - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    return (int)SendInput(2 * count, inputs, sizeof(INPUT));
}

int SendKeyStroke(WORD virtualKey) { return SendKeys(&virtualKey, 1); }

void PressKey(BYTE virtualKey) { SendKeyStroke(virtualKey); }

void PressKeyCombo(BYTE modifierKey, BYTE virtualKey)
{
    const WORD keys[2] = {modifierKey, virtualKey};
    SendKeys(keys, 2);
}
