#include "foundation/app.h"
#include "foundation/registry_key.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

AIApp g_app;

namespace {

const int kModule = kTraceApp;
const WCHAR kVersionText[] = L"10.0.1";
const WCHAR kInstanceGuid[] = L"{6F2A9C41-3B7E-4D18-9A55-C0E4B7D2F813}";

struct WordName {
    const WCHAR* text;
    uint32_t word;
};

const WordName kCommandWords[] = {
    {L"restart", kWordRestart}, {L"usb", kWordUsb},       {L"wine", kWordWine},
    {L"linux", kWordLinux},     {L"osx", kWordOsx},       {L"mac", kWordMac},
    {L"slow", kWordSlow},       {L"fast", kWordFast},     {L"nonetwork", kWordNoNetwork},
    {L"nohotkey", kWordNoHotkey}, {L"boot", kWordBoot},
};

const WordName kFileNameWords[] = {
    {L"_usb", kWordUsb},     {L"_slow", kWordSlow}, {L"_wine", kWordWine},
    {L"_linux", kWordLinux}, {L"_osx", kWordOsx},   {L"_mac", kWordMac},
};

inline bool IsBlank(WCHAR c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
inline WCHAR AsciiLower(WCHAR c) { return (c >= 'A' && c <= 'Z') ? (WCHAR)(c + 32) : c; }

// Compares a word of the given length with a lower-case ASCII name.
bool WordIs(const WCHAR* word, int length, const WCHAR* name)
{
    int i = 0;
    for (; i < length && name[i]; i++)
        if (AsciiLower(word[i]) != name[i]) return false;
    return i == length && name[i] == 0;
}

void ReadLanguageWord(const WCHAR* word, int length, WCHAR langCode[3])
{
    if (length != 7 || !WordIs(word, 5, L"lang:")) return;
    WCHAR a = AsciiLower(word[5]), b = AsciiLower(word[6]);
    if (a < 'a' || a > 'z' || b < 'a' || b > 'z') return;
    langCode[0] = a;
    langCode[1] = b;
    langCode[2] = 0;
}

}  // namespace

const WCHAR* SkipProgramPath(const WCHAR* commandLine)
{
    if (!commandLine) return L"";
    const WCHAR* p = commandLine;
    while (IsBlank(*p)) p++;
    if (*p == '"') {
        p++;
        while (*p && *p != '"') p++;
        if (*p) p++;
    }
    while (*p && !IsBlank(*p)) p++;
    while (IsBlank(*p)) p++;
    return p;
}

uint32_t ParseStartupWords(const WCHAR* arguments, const WCHAR* exeFileName, WCHAR langCode[3])
{
    uint32_t words = 0;
    if (langCode) langCode[0] = 0;
    const WCHAR* p = arguments ? arguments : L"";
    while (*p) {
        while (IsBlank(*p)) p++;
        if (!*p) break;
        const WCHAR* start = p;
        if (*p == '"') {
            // A quoted argument is a path, never a start-up word.
            p++;
            while (*p && *p != '"') p++;
            if (*p) p++;
            continue;
        }
        while (*p && !IsBlank(*p)) p++;
        int length = (int)(p - start);
        if (*start == '/' || *start == '-') { start++; length--; }
        for (const WordName& w : kCommandWords)
            if (WordIs(start, length, w.text)) words |= w.word;
        if (langCode) ReadLanguageWord(start, length, langCode);
    }
    if (exeFileName) {
        AIString name(exeFileName);
        for (const WordName& w : kFileNameWords)
            if (name.FindText(w.text) >= 0) words |= w.word;
    }
    return words;
}

AIApp::AIApp()
    : words_(0), runState_(kRunStarting), mainWindow_(0), activeWindowId_(100), guardFlag_(1), restartFlag_(0),
      instanceMutex_(0)
{
    langCode_[0] = 0;
    name_.AssignText(L"Tavik");
}

const WCHAR* AIApp::GetVersionText() const { return kVersionText; }
const WCHAR* AIApp::GetInstanceGuidText() const { return kInstanceGuid; }

void AIApp::Prepare(const WCHAR* exePath, const WCHAR* commandLine)
{
    TRACE_SCOPE(kModule, 1);
    AIString path;
    if (exePath) {
        path.AssignText(exePath);
    } else {
        WCHAR buffer[MAX_PATH + 1];
        DWORD n = GetModuleFileNameW(0, buffer, MAX_PATH);
        if (n >= MAX_PATH) n = 0;
        path.AssignTextN(buffer, (int)n);
    }
    AIString fileName(path);
    fileName.SplitAtChar('\\', 1, 1);
    fileName.SplitAtChar('/', 1, 1);
    name_.Copy(fileName);
    if (name_.EndsWithNoCase(L".so")) name_.SetLength(name_.GetLength() - 3);
    if (name_.EndsWithNoCase(L".exe")) name_.SetLength(name_.GetLength() - 4);
    if (name_.IsEmpty()) name_.AssignText(L"Tavik");

    words_ = ParseStartupWords(SkipProgramPath(commandLine ? commandLine : GetCommandLineW()), fileName.GetText(),
                               langCode_);

    system.SetProgramName(name_.GetText());
    if (HasWord(kWordWine) || HasWord(kWordLinux)) system.IsWine(1);
    if (HasWord(kWordOsx) || HasWord(kWordMac)) system.IsMac(1);
    if (HasWord(kWordSlow)) system.SetCpuSpeedIndex(99);
    if (HasWord(kWordFast)) system.SetCpuSpeedIndex(301);
    if (HasWord(kWordRestart)) restartFlag_ = 1;

    // Portable mode keeps registry values and temporary files beside the program.
    AIString folder(path);
    if (folder.FindChar('\\', true) >= 0)
        folder.SplitAtChar('\\', 0, 1);
    else
        folder.AssignText(L".");
    if (HasWord(kWordUsb)) {
        system.SetPortable(1);
        AIString temp(folder);
        temp.AppendText(L"\\temp");
        system.SetPortableTempFolder(temp.GetText());
        AIString registry(folder);
        registry.AppendText(L"\\registry");
        SetRegistryLocation(name_.GetText(), registry.GetText());
    } else {
        system.SetPortable(0);
        system.SetPortableTempFolder(L"");
        SetRegistryLocation(name_.GetText(), 0);
    }
}

void AIApp::GetSingleInstanceName(AIString& out) const
{
    WCHAR user[257] = {0};
    DWORD size = 256;
    if (!GetUserNameW(user, &size)) user[0] = 0;
    user[256] = 0;
    out.AssignText(kInstanceGuid).AppendString(name_).AppendText(user);
    // A backslash would name a kernel namespace.
    out.ReplaceAll(L"\\", L"_", 1);
}

int AIApp::ClaimSingleInstance()
{
    TRACE_SCOPE(kModule, 2);
    if (instanceMutex_) return 1;
    AIString name;
    GetSingleInstanceName(name);
    HANDLE mutex = CreateMutexW(0, TRUE, name.GetText());
    if (!mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return 0;
    }
    instanceMutex_ = mutex;
    return 1;
}

void AIApp::ReleaseSingleInstance()
{
    if (!instanceMutex_) return;
    ReleaseMutex(instanceMutex_);
    CloseHandle(instanceMutex_);
    instanceMutex_ = 0;
}
