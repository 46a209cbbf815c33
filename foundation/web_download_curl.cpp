// Compiled by the host compiler: curl.h clashes with the Win32 headers.
// libcurl is opened at the first download, not linked: with the libraries it
// needs (TLS, Kerberos, LDAP and more, about thirty) it took some 8 ms of
// every start of the program, which seldom downloads anything.
#include "foundation/web_download_curl.h"
#include <curl/curl.h>
#include <stdlib.h>
#include <string.h>
#ifdef _WIN32
#include "foundation/win.h"
#else
#include <dlfcn.h>
#endif

namespace {

#ifdef _WIN32
// The DLL beside the program first, then the usual search (the test programs
// find it through the path).
const WCHAR kCurlLibrary[] = L"libcurl.dll";

void* OpenLibrary()
{
    WCHAR path[MAX_PATH + 16];
    DWORD n = GetModuleFileNameW(0, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        DWORD slash = n;
        while (slash > 0 && path[slash - 1] != L'\\' && path[slash - 1] != L'/') slash--;
        memcpy(path + slash, kCurlLibrary, sizeof(kCurlLibrary));
        HMODULE beside = LoadLibraryW(path);
        if (beside) return (void*)beside;
    }
    return (void*)LoadLibraryW(kCurlLibrary);
}

void* FindCall(void* library, const char* name)
{
    FARPROC proc = GetProcAddress((HMODULE)library, name);
    void* call = 0;
    memcpy(&call, &proc, sizeof(call));
    return call;
}
#else
const char kCurlLibrary[] = "libcurl.so.4";

void* OpenLibrary() { return dlopen(kCurlLibrary, RTLD_NOW | RTLD_LOCAL); }
void* FindCall(void* library, const char* name) { return dlsym(library, name); }
#endif

// The libcurl calls the bridge makes, found in the library once it is opened.
struct CurlCalls {
    CURLcode (*globalInit)(long flags);
    CURL* (*easyInit)();
    CURLcode (*easySetopt)(CURL* curl, CURLoption option, ...);
    CURLcode (*easyPerform)(CURL* curl);
    CURLcode (*easyGetinfo)(CURL* curl, CURLINFO info, ...);
    void (*easyCleanup)(CURL* curl);
    const char* (*easyStrerror)(CURLcode code);
    char* (*easyEscape)(CURL* curl, const char* text, int bytes);
    void (*free)(void* pointer);
};
CurlCalls s_curl;

template <typename Call>
int Find(void* library, const char* name, Call* call)
{
    *call = (Call)FindCall(library, name);
    return *call != 0;
}

int OpenCurl()
{
    void* library = OpenLibrary();
    if (!library) return 0;
    CurlCalls& c = s_curl;
    return Find(library, "curl_global_init", &c.globalInit) && Find(library, "curl_easy_init", &c.easyInit) &&
           Find(library, "curl_easy_setopt", &c.easySetopt) &&
           Find(library, "curl_easy_perform", &c.easyPerform) &&
           Find(library, "curl_easy_getinfo", &c.easyGetinfo) &&
           Find(library, "curl_easy_cleanup", &c.easyCleanup) &&
           Find(library, "curl_easy_strerror", &c.easyStrerror) &&
           Find(library, "curl_easy_escape", &c.easyEscape) && Find(library, "curl_free", &c.free);
}

struct Sink {
    char* data;
    size_t size;
    size_t capacity;
    size_t maxBytes;
    int tooLarge;
};

size_t WriteToSink(char* bytes, size_t size, size_t count, void* user)
{
    Sink* sink = (Sink*)user;
    if (count != 0 && size > (size_t)-1 / count) return 0;
    size_t n = size * count;
    if (n > sink->maxBytes - sink->size) {
        sink->tooLarge = 1;
        return 0;  // makes curl stop with CURLE_WRITE_ERROR
    }
    if (sink->size + n + 1 > sink->capacity) {
        size_t capacity = sink->capacity ? sink->capacity : 16384;
        while (capacity < sink->size + n + 1) capacity *= 2;
        if (capacity > sink->maxBytes + 1) capacity = sink->maxBytes + 1;
        char* grown = (char*)realloc(sink->data, capacity);
        if (!grown) return 0;
        sink->data = grown;
        sink->capacity = capacity;
    }
    memcpy(sink->data + sink->size, bytes, n);
    sink->size += n;
    sink->data[sink->size] = 0;
    return n;
}

int InitOnce()
{
    static int state = 0;  // 0 not yet, 1 ready, -1 failed
    if (state == 0) state = OpenCurl() && s_curl.globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK ? 1 : -1;
    return state == 1;
}

}  // namespace

int CurlFetch(const char* url, size_t maxBytes, int connectTimeoutMs, int totalTimeoutMs, CurlFetchResult* out)
{
    memset(out, 0, sizeof(*out));
    out->status = kCurlFetchOther;
    if (!url || !*url || !InitOnce()) {
        strcpy(out->error, "bad URL or network library not ready");
        return out->status;
    }
    CURL* curl = s_curl.easyInit();
    if (!curl) {
        strcpy(out->error, "network library not ready");
        return out->status;
    }
    Sink sink = {0, 0, 0, maxBytes, 0};
    char error[CURL_ERROR_SIZE];
    error[0] = 0;
    s_curl.easySetopt(curl, CURLOPT_URL, url);
    s_curl.easySetopt(curl, CURLOPT_ERRORBUFFER, error);
    s_curl.easySetopt(curl, CURLOPT_WRITEFUNCTION, WriteToSink);
    s_curl.easySetopt(curl, CURLOPT_WRITEDATA, &sink);
    s_curl.easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    s_curl.easySetopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    s_curl.easySetopt(curl, CURLOPT_MAXREDIRS, 5L);
    s_curl.easySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS, (long)connectTimeoutMs);
    s_curl.easySetopt(curl, CURLOPT_TIMEOUT_MS, (long)totalTimeoutMs);
    s_curl.easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    s_curl.easySetopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    s_curl.easySetopt(curl, CURLOPT_USERAGENT, "Mozilla/5.0 (compatible; Tavik)");
    s_curl.easySetopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    if (maxBytes < (size_t)0x7FFFFFFF) s_curl.easySetopt(curl, CURLOPT_MAXFILESIZE, (long)maxBytes);

    CURLcode code = s_curl.easyPerform(curl);
    long http = 0;
    s_curl.easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &http);
    char* type = 0;
    if (s_curl.easyGetinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) {
        strncpy(out->contentType, type, sizeof(out->contentType) - 1);
        out->contentType[sizeof(out->contentType) - 1] = 0;
    }
    s_curl.easyCleanup(curl);
    out->httpStatus = (int)http;

    if (sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED) out->status = kCurlFetchTooLarge;
    else if (code == CURLE_OPERATION_TIMEDOUT) out->status = kCurlFetchTimeout;
    else if (code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_RESOLVE_PROXY)
        out->status = kCurlFetchConnect;
    else if (code != CURLE_OK) out->status = kCurlFetchOther;
    else if (http >= 400) out->status = kCurlFetchHttpError;
    else out->status = kCurlFetchOk;

    strncpy(out->error, error[0] ? error : s_curl.easyStrerror(code), sizeof(out->error) - 1);
    out->error[sizeof(out->error) - 1] = 0;
    if (out->status == kCurlFetchOk || out->status == kCurlFetchHttpError) {
        if (!sink.data) sink.data = (char*)calloc(1, 1);
        out->data = sink.data;
        out->size = sink.data ? sink.size : 0;
    } else {
        free(sink.data);
    }
    return out->status;
}

void CurlFetchFree(CurlFetchResult* result)
{
    if (!result) return;
    free(result->data);
    result->data = 0;
    result->size = 0;
}

int CurlEscape(const char* text, int bytes, char* out, int outSize)
{
    if (!out || outSize <= 0) return -1;
    out[0] = 0;
    if (!text || bytes < 0 || !InitOnce()) return -1;
    char* escaped = s_curl.easyEscape(0, text, bytes);
    if (!escaped) return -1;
    size_t n = strlen(escaped);
    int result = -1;
    if (n < (size_t)outSize) {
        memcpy(out, escaped, n + 1);
        result = (int)n;
    }
    s_curl.free(escaped);
    return result;
}
