// Word look-up and translation.
#include "search/lookup/word_lookup.h"
#include "search/lookup/lookup_text.h"
#include "search/lookup/wordnet_bridge.h"
#include "foundation/ai_file.h"
#include "foundation/app.h"
#include "foundation/registry_key.h"
#include "foundation/web_download.h"
#include <wininet.h>
#include <string.h>
#include <string>

namespace {

enum DictionaryState { kDictionaryUnsearched = -1, kDictionaryMissing = 0, kDictionaryFound = 1 };
enum { kStatusReady = 0, kStatusBusy = 1, kStatusNotFound = 2, kStatusFailed = 3 };

WordLookupHooks g_hooks = {};
int g_dictionary = kDictionaryUnsearched;
AIString g_languageName;
AIString g_languageCode;
int g_languageDecided = 0;
int g_timeoutMs = kTranslationTimeoutMs;

const WCHAR kAgent[] = L"Mozilla/5.0 (Windows NT 5.2) Tavik";
}  // namespace

const WCHAR kTranslationServiceValue[] = L"TranslationService";

namespace {

const WCHAR kTranslatePath[] = L"/ajax/services/language/translate?v=1.0&q=";

void ShowStatus(const WCHAR* text, int level)
{
    if (g_hooks.showStatus) g_hooks.showStatus(text, level);
}

LookupText ToLookupText(const WCHAR* text)
{
    return LookupText(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(TextLength(text)));
}

void ToAIString(const LookupText& text, AIString& out)
{
    out.AssignTextN(reinterpret_cast<const WCHAR*>(text.c_str()), (int)text.size());
}

std::string Narrow(const AIString& text)
{
    int n = text.ToUtf8(nullptr, 0);
    std::string out((size_t)n + 1, '\0');
    text.ToUtf8(&out[0], n + 1);
    out.resize((size_t)n);
    return out;
}

// The folder as the WordNet library opens files: a host path under Wine, the
// C library's ANSI code page on Windows (the short form, which has no
// characters outside it).
std::string LibraryPath(const AIString& folder)
{
    typedef char*(CDECL * UnixName)(const WCHAR*);
    FARPROC proc = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    UnixName toUnix = nullptr;
    memcpy(&toUnix, &proc, sizeof(proc));
    std::string path;
    if (toUnix) {
        char* unixPath = toUnix(folder.GetText());
        if (unixPath) {
            path = unixPath;
            HeapFree(GetProcessHeap(), 0, unixPath);
        }
        return path;
    }
#ifdef __MINGW32__
    WCHAR shortPath[MAX_PATH];
    DWORD n = GetShortPathNameW(folder.GetText(), shortPath, MAX_PATH);
    const WCHAR* wide = n > 0 && n < MAX_PATH ? shortPath : folder.GetText();
    char ansi[MAX_PATH * 2];
    BOOL lossy = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, (int)sizeof(ansi), nullptr, &lossy);
    if (bytes > 0 && !lossy) path = ansi;
    return path;
#else
    return Narrow(folder);
#endif
}

// WordNet's own default: WNHome under Software\WordNet\<version> (the
// machine's, else the user's) + "\dict"; empty when neither is set.
AIString WordNetHomeFolder()
{
    static const WCHAR* const kKeys[] = {L"Software\\WordNet\\3.0", L"Software\\WordNet\\2.1"};
    static const HKEY kRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
    AIString folder;
    for (const WCHAR* key : kKeys) {
        for (HKEY root : kRoots) {
            AIRegistryKey reg;
            if (reg.OpenKey(root, key) && reg.ReadString(L"WNHome", folder, MAX_PATH) && !folder.IsEmpty()) {
                folder.AppendText(L"\\dict");
                return folder;
            }
        }
    }
    return folder;
}

// Tries WordNet's own default, then the usual folders on Windows.
int FindDictionary()
{
    if (WordNetOpen("")) return kDictionaryFound;
    WCHAR programFiles[MAX_PATH] = L"C:\\Program Files";
    GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH);
    AIString candidates[5];
    candidates[0] = WordNetHomeFolder();
    candidates[1].AssignText(g_app.system.GetDocumentsFolder()).AppendText(L"\\dict");
    candidates[2].AssignText(g_app.system.GetExeFolder()).AppendText(L"\\dict");
    candidates[3].AssignText(programFiles).AppendText(L"\\WordNet\\3.0\\dict");
    candidates[4].AssignText(programFiles).AppendText(L"\\WordNet\\2.1\\dict");
    for (AIString& folder : candidates) {
        if (folder.IsEmpty() || !AIFile::PathExists(folder.GetText())) continue;
        std::string path = LibraryPath(folder);
        if (!path.empty() && WordNetOpen(path.c_str())) return kDictionaryFound;
    }
    return kDictionaryMissing;
}

// The dictionary's text of a word over the four parts of speech, empty when
// it has none.
std::string DictionaryText(const LookupText& word)
{
    std::string query = WordNetQuery(word);
    std::string text;
    for (int part = kWordNetNoun; part <= kWordNetAdverb; part++)
        text += FormatWordNetOverview(WordNetOverview(query, part));
    if (text.empty()) {
        std::string base = WordNetBaseForm(query, 0);
        if (!base.empty())
            for (int part = kWordNetNoun; part <= kWordNetAdverb; part++)
                text += FormatWordNetOverview(WordNetOverview(base, part));
    }
    return text;
}

// WinINet, loaded at the first translation (with the network libraries it
// brings) rather than at every start of the program.
struct WinInet {
    decltype(&InternetOpenW) open;
    decltype(&InternetConnectW) connect;
    decltype(&InternetCrackUrlW) crackUrl;
    decltype(&InternetSetOptionW) setOption;
    decltype(&InternetReadFile) readFile;
    decltype(&InternetCloseHandle) closeHandle;
    decltype(&HttpOpenRequestW) openRequest;
    decltype(&HttpSendRequestW) sendRequest;
    decltype(&HttpQueryInfoW) queryInfo;
};

template <typename Call>
int FindIn(HMODULE library, const char* name, Call& call)
{
    FARPROC proc = GetProcAddress(library, name);
    memcpy(&call, &proc, sizeof(call));
    return proc != nullptr;
}

// The functions, or null when the library or one of them is missing.
const WinInet* LoadWinInet()
{
    static WinInet inet;
    static int loaded = -1;
    if (loaded < 0) {
        HMODULE library = LoadLibraryW(L"wininet.dll");
        loaded = library && FindIn(library, "InternetOpenW", inet.open) &&
                 FindIn(library, "InternetConnectW", inet.connect) &&
                 FindIn(library, "InternetCrackUrlW", inet.crackUrl) &&
                 FindIn(library, "InternetSetOptionW", inet.setOption) &&
                 FindIn(library, "InternetReadFile", inet.readFile) &&
                 FindIn(library, "InternetCloseHandle", inet.closeHandle) &&
                 FindIn(library, "HttpOpenRequestW", inet.openRequest) &&
                 FindIn(library, "HttpSendRequestW", inet.sendRequest) &&
                 FindIn(library, "HttpQueryInfoW", inet.queryInfo);
    }
    return loaded ? &inet : nullptr;
}

void DecideLanguage()
{
    if (g_languageDecided) return;
    g_languageDecided = 1;
    if (g_languageName.IsEmpty()) g_app.system.GetLanguageName(g_languageName);
    g_languageCode.AssignAscii(LanguageCode(Narrow(g_languageName)).c_str());
}

int ReadReply(const WinInet& inet, HINTERNET request, std::string& reply)
{
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!inet.readFile(request, buffer, sizeof(buffer), &got)) return 0;
        if (got == 0) return 1;
        if (reply.size() + got > kMaxTranslationReplyBytes) return 0;  // not a translation
        reply.append(buffer, got);
    }
}

void SetTimeouts(const WinInet& inet, HINTERNET handle)
{
    DWORD timeout = (DWORD)g_timeoutMs;
    inet.setOption(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    inet.setOption(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    inet.setOption(handle, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
}

// One GET of url; the reply's bytes into reply. The time-outs are set on the
// request itself too (Wine's WinINet keeps them per request). A request that
// never got an answer (no network, a wrong address, no answer in time) is
// kTranslationUnreachable; an error status or a reply too long
// kTranslationRefused. Without WinINet nothing is reached.
TranslationOutcome SendRequest(const AIString& url, std::string& reply)
{
    const WinInet* loaded = LoadWinInet();
    if (!loaded) return kTranslationUnreachable;
    const WinInet& inet = *loaded;
    WCHAR host[256] = {0}, path[2048] = {0};
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = 2048;
    WCHAR extra[4096] = {0};
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = 4096;
    if (!inet.crackUrl(url.GetText(), 0, 0, &parts)) return kTranslationUnreachable;
    AIString object(path);
    object.AppendText(extra);
    TranslationOutcome outcome = kTranslationUnreachable;
    HINTERNET session = inet.open(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return outcome;
    SetTimeouts(inet, session);
    HINTERNET connection =
        inet.connect(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (connection) {
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
        if (parts.nScheme == INTERNET_SCHEME_HTTPS)
            flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_IGNORE_CERT_CN_INVALID |
                     INTERNET_FLAG_IGNORE_CERT_DATE_INVALID;
        HINTERNET request =
            inet.openRequest(connection, L"GET", object.GetText(), nullptr, nullptr, nullptr, flags, 0);
        if (request) {
            SetTimeouts(inet, request);
            if (inet.sendRequest(request, nullptr, 0, nullptr, 0)) {
                DWORD status = 0, size = sizeof(status);
                inet.queryInfo(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
                outcome = status < 400 && ReadReply(inet, request, reply) ? kTranslated : kTranslationRefused;
            }
            inet.closeHandle(request);
        }
        inet.closeHandle(connection);
    }
    inet.closeHandle(session);
    return outcome;
}

int NetworkAllowed() { return !g_app.HasWord(kWordNoNetwork); }

}  // namespace

void SetWordLookupHooks(const WordLookupHooks& hooks) { g_hooks = hooks; }

void GetTranslationService(AIString& address)
{
    AIRegistryKey key;
    // No service is built in: without the value translation stays off.
    if (!key.OpenKey(HKEY_CURRENT_USER, nullptr) || !key.ReadString(kTranslationServiceValue, address, MAX_PATH))
        address.Clear();
    address.Trim();
    while (address.EndsWithNoCase(L"/")) address.SetLength(address.GetLength() - 1);
}

void SetTranslationLanguage(const WCHAR* nameOrCode)
{
    g_languageName.AssignText(nameOrCode);
    g_languageDecided = 0;
}

void SetTranslationTimeout(int milliseconds)
{
    g_timeoutMs = milliseconds > 0 ? milliseconds : kTranslationTimeoutMs;
}

void GetLookupCachePath(const WCHAR* word, AIString& out)
{
    LookupText name = LookupCacheName(CleanLookupWord(ToLookupText(word)));
    out.Clear();
    if (name.empty()) return;
    AIString file;
    ToAIString(name, file);
    out.AssignText(g_app.system.GetTempFolder())
        .AppendText(L"\\txt\\")
        .AppendString(file)
        .AppendText(L".dict.txt");
}

int FetchTranslation(const WCHAR* text, int fromEnglish, AIString& result, TranslationOutcome* outcome)
{
    TranslationOutcome ignored;
    TranslationOutcome& done = outcome ? *outcome : ignored;
    done = kTranslationNotAsked;
    result.Clear();
    DecideLanguage();
    int length = TextLength(text);
    if (g_languageCode.IsEmpty() || !NetworkAllowed() || length == 0 || length > kMaxTranslationChars) return 0;
    AIString service;
    GetTranslationService(service);
    if (service.IsEmpty()) return 0;
    ShowStatus(L"Getting translation...", kStatusBusy);
    AIString lower(text), escaped;
    lower.ToLowerCase();
    AIWebDownload::EscapeUrl(lower, escaped);
    AIString url(service);
    url.AppendText(kTranslatePath).AppendString(escaped).AppendText(L"&langpair=");
    if (fromEnglish)
        url.AppendText(L"en%7C").AppendString(g_languageCode);
    else
        url.AppendString(g_languageCode).AppendText(L"%7Cen");
    std::string reply, translation;
    done = SendRequest(url, reply);
    if (done == kTranslated && !ParseTranslationReply(reply, &translation)) done = kTranslationRefused;
    if (done == kTranslationUnreachable) {
        ShowStatus(L"Translation failed: the translation service could not be reached", kStatusNotFound);
        return 0;
    }
    if (done == kTranslationRefused) {
        ShowStatus(L"Translation failed: the translation service gave no translation", kStatusNotFound);
        return 0;
    }
    ShowStatus(L"Translation complete", kStatusReady);
    result.FromUtf8(translation.c_str(), (int)translation.size());
    if (result.EqualsTextNoCase(text)) {
        result.Clear();
        done = kTranslationSame;
        return 0;
    }
    return 1;
}

int LookUpWord(const WCHAR* word, int mode)
{
    if (g_dictionary == kDictionaryMissing) return -1;
    if (TextLength(word) > kMaxLookupChars) return 0;
    if (mode == kLookupFindDictionaryOnly || g_dictionary == kDictionaryUnsearched) {
        g_dictionary = FindDictionary();
        if (g_dictionary == kDictionaryMissing) return -1;
        if (mode == kLookupFindDictionaryOnly) return 1;
    }
    LookupText cleaned = CleanLookupWord(ToLookupText(word));
    if (cleaned.empty()) return 0;
    bool multiWord = IsMultiWord(cleaned);
    AIString cache;
    GetLookupCachePath(word, cache);
    bool shift = g_hooks.isShiftDown && g_hooks.isShiftDown();
    if (!shift && !multiWord && AIFile::Exists(cache.GetText())) {
        if (g_hooks.showDictionaryEntry) g_hooks.showDictionaryEntry(cache.GetText());
        return 1;
    }
    AIString shown;
    ToAIString(cleaned, shown);
    std::string dictionary = multiWord ? std::string() : DictionaryText(cleaned);

    AIString block;
    TranslationOutcome translated = kTranslationNotAsked;
    DecideLanguage();
    bool web = NetworkAllowed() && (!g_hooks.webAccessAllowed || g_hooks.webAccessAllowed());
    if (!g_languageCode.IsEmpty() && web) {
        AIString translation;
        int fromEnglish = dictionary.empty() ? 0 : 1;
        if (FetchTranslation(shown.GetText(), fromEnglish, translation, &translated)) {
            AIString language(g_languageName);
            block.AppendText(L"\r\n### Translation (");
            if (fromEnglish)
                block.AppendText(L"English => ").AppendString(language);
            else
                block.AppendString(language).AppendText(L" => English");
            block.AppendText(L")\r\n\r\n## ").AppendString(shown);
            block.AppendText(multiWord ? L"\r\n\r\n  =>  \r\n\r\n### " : L"  =>  ").AppendString(translation);
            block.AppendText(L"\r\n");
            if (dictionary.empty() && !multiWord) {
                // A second round: the English word the service gave, cleaned and cut.
                LookupText english =
                    CleanLookupWord(ToLookupText(translation.GetText())).substr(0, kMaxLookupChars);
                if (!english.empty() && !IsMultiWord(english)) dictionary = DictionaryText(english);
            }
        }
    }
    if (dictionary.empty() && block.IsEmpty()) {
        AIString status(L"'");
        status.AppendString(shown).AppendText(L"' not found in dictionary");
        // The failed translation is part of the answer.
        if (translated == kTranslationUnreachable)
            status.AppendText(L" - the translation service could not be reached");
        else if (translated == kTranslationRefused)
            status.AppendText(L" - the translation service gave no translation");
        ShowStatus(status.GetText(), kStatusNotFound);
        return 1;
    }
    AIString text(block), entry;
    entry.FromUtf8(dictionary.c_str(), (int)dictionary.size());
    text.AppendText(L"\r\n").AppendString(entry);
    if (!block.IsEmpty()) text.AppendText(L"\r\n\r\nTranslation by the translation service");
    if (!dictionary.empty()) text.AppendText(L"\r\nDictionary powered by WordNet");
    AIString folder(g_app.system.GetTempFolder());
    AIFile::CreateFolder(folder.GetText());
    AIFile::CreateFolder(folder.AppendText(L"\\txt").GetText());
    if (AIFile::WriteUtf16File(cache.GetText(), text.GetText(), text.GetLength()) &&
        g_hooks.showDictionaryEntry)
        g_hooks.showDictionaryEntry(cache.GetText());
    return 1;
}
