// AIWebDownload: one HTTP GET into memory, with a size cap and connect and
// total time-outs, so a slow or hostile server can neither hang the program
// for long nor fill its memory.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum DownloadResult {
    kDownloadOk = 0,
    kDownloadConnectFailed = 1,
    kDownloadTimedOut = 2,
    kDownloadHttpError = 3,    // the server answered with a status of 400 or more
    kDownloadTooLarge = 4,
    kDownloadFailed = 5,       // any other failure (bad URL, network error)
    kDownloadNotAllowed = 6,   // the program was started with "nonetwork": nothing is fetched
};

class AIWebDownload {
public:
    enum { kDefaultMaxBytes = 4 * 1024 * 1024, kDefaultConnectMs = 10000, kDefaultTotalMs = 30000 };

    AIWebDownload();
    ~AIWebDownload();

    void SetLimits(uint32_t maxBytes, int connectTimeoutMs, int totalTimeoutMs);

    // Fetches the URL; returns the DownloadResult (0 = success). Nothing is
    // fetched when the program was started with "nonetwork".
    int FetchWebPage(const WCHAR* url);
    int GetResultCode() const { return result_; }
    int GetHttpStatus() const { return httpStatus_; }
    const WCHAR* GetResultText() const { return resultText_.GetText(); }

    // Copies the page text out (UTF-8 decoded); returns the result code.
    int GetResult(AIString& out) const;
    // The answer's Content-Type header ("" when none), for its charset.
    const char* GetContentType() const { return contentType_; }
    const char* GetData() const { return data_; }
    uint32_t GetDataSize() const { return size_; }

    // URL-escapes UTF-8 text ("a b" -> "a%20b").
    static int EscapeUrl(const char* utf8, AIString& out);
    static int EscapeUrl(const AIString& text, AIString& out);  // converted to UTF-8 first

private:
    void Release();

    char* data_;
    uint32_t size_;
    int result_;
    int httpStatus_;
    AIString resultText_;
    uint32_t maxBytes_;
    int connectMs_;
    int totalMs_;
    char contentType_[128];
};
