#include "foundation/system_info.h"
#include "foundation/misc_services.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <shlobj.h>

namespace {

const int kModule = kTraceSystemInfo;

// Strips a trailing backslash (a drive root keeps it).
void DropTrailingSlash(AIString& folder)
{
    int n = folder.GetLength();
    if (n > 3 && folder.CharAt(n - 1) == '\\') folder.SetLength(n - 1);
}

}  // namespace

AISystemInfo::AISystemInfo() : speedIndex_(0), wine_(-1), mac_(0), portable_(0), windowsVersion_(0) {}

int AISystemInfo::MeasureSpeed()
{
    // A fixed chain of dependent integer steps timed with the performance
    // counter; the best of three runs, so a busy moment does not count.
    const int kSteps = 200000;
    int64_t frequency = GetPerformanceFrequency();
    if (frequency <= 0) return 200;
    int64_t best = 0;
    volatile uint32_t sink = 0;
    for (int run = 0; run < 3; run++) {
        int64_t start = ReadPerformanceCounter();
        uint32_t x = 12345u + (uint32_t)run;
        for (int i = 0; i < kSteps; i++) x = x * 1664525u + 1013904223u + (x >> 13);
        sink = sink + x;
        int64_t ticks = ReadPerformanceCounter() - start;
        if (run == 0 || ticks < best) best = ticks;
    }
    int64_t micros = best * 1000000 / frequency;
    if (micros < 1) micros = 1;
    int64_t index = kSteps / micros;  // steps per microsecond
    if (index < 1) index = 1;
    if (index > 999) index = 999;
    return (int)index;
}

int AISystemInfo::GetCpuSpeedIndex(int remeasure)
{
    if (speedIndex_ == 0 || remeasure) speedIndex_ = MeasureSpeed();
    return speedIndex_;
}

void AISystemInfo::SetCpuSpeedIndex(int index) { speedIndex_ = index; }

int AISystemInfo::IsWine(int value)
{
    if (value == 0 || value == 1) wine_ = value;
    if (wine_ < 0) {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        wine_ = (ntdll && GetProcAddress(ntdll, "wine_get_version")) ? 1 : 0;
    }
    return wine_;
}

int AISystemInfo::IsMac(int value)
{
    if (value == 0 || value == 1) mac_ = value;
    return mac_;
}

void AISystemInfo::SetPortable(int portable) { portable_ = portable ? 1 : 0; }

const WCHAR* AISystemInfo::GetExeFolder()
{
    if (exeFolder_.IsEmpty()) {
        WCHAR path[MAX_PATH + 1];
        DWORD n = GetModuleFileNameW(0, path, MAX_PATH);
        if (n >= MAX_PATH) n = 0;
        exeFolder_.AssignTextN(path, (int)n);
        exeFolder_.SplitAtChar('\\', 0, 1);
        DropTrailingSlash(exeFolder_);
    }
    return exeFolder_.GetText();
}

const WCHAR* AISystemInfo::GetDocumentsFolder()
{
    if (documentsFolder_.IsEmpty()) {
        WCHAR path[MAX_PATH + 1] = {0};
        if (SHGetSpecialFolderPathW(0, path, CSIDL_PERSONAL, TRUE)) {
            path[MAX_PATH] = 0;
            documentsFolder_.AssignText(path);
            DropTrailingSlash(documentsFolder_);
        }
    }
    return documentsFolder_.GetText();
}

void AISystemInfo::SetProgramName(const WCHAR* name)
{
    programName_.AssignText(name);
    tempFolder_.Clear();
}

void AISystemInfo::SetPortableTempFolder(const WCHAR* folder)
{
    portableTempFolder_.AssignText(folder);
    DropTrailingSlash(portableTempFolder_);
    tempFolder_.Clear();
}

const WCHAR* AISystemInfo::GetTempFolder()
{
    if (tempFolder_.IsEmpty()) {
        if (!portableTempFolder_.IsEmpty()) {
            tempFolder_.Copy(portableTempFolder_);
        } else {
            WCHAR path[MAX_PATH + 1] = {0};
            DWORD n = GetTempPathW(MAX_PATH, path);
            if (n >= MAX_PATH) n = 0;
            tempFolder_.AssignTextN(path, (int)n);
            if (tempFolder_.GetLength() && tempFolder_.CharAt(tempFolder_.GetLength() - 1) != '\\')
                tempFolder_.AppendChar('\\');
            tempFolder_.AppendString(programName_.IsEmpty() ? AIString(L"Tavik") : programName_);
        }
    }
    return tempFolder_.GetText();
}

double AISystemInfo::GetWindowsVersion()
{
    if (windowsVersion_ == 0) windowsVersion_ = GetWindowsVersionName(windowsVersionText_);
    return windowsVersion_;
}

const WCHAR* AISystemInfo::GetWindowsVersionText()
{
    GetWindowsVersion();
    return windowsVersionText_.GetText();
}

int AISystemInfo::GetProcessorCount()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? (int)info.dwNumberOfProcessors : 1;
}

int64_t AISystemInfo::ReadPerformanceCounter()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

int64_t AISystemInfo::GetPerformanceFrequency()
{
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) return 0;
    return frequency.QuadPart;
}

SYSTEMTIME AISystemInfo::GetLocalTimeNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

void AISystemInfo::GetLanguageName(AIString& out)
{
    TRACE_SCOPE(kModule, 1);
    WCHAR name[128] = {0};
    LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (!GetLocaleInfoW(locale, LOCALE_SENGLANGUAGE, name, 127)) CopyTextBounded(name, 128, L"English");
    out.AssignText(name);
}
