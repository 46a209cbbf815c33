#include "foundation/web_download.h"
#include "foundation/web_download_curl.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/app.h"
#include <stdlib.h>

namespace {
const int kModule = kTraceWebDownload;
}

AIWebDownload::AIWebDownload()
    : data_(0), size_(0), result_(kDownloadFailed), httpStatus_(0), maxBytes_(kDefaultMaxBytes),
      connectMs_(kDefaultConnectMs), totalMs_(kDefaultTotalMs)
{
    contentType_[0] = 0;
}

AIWebDownload::~AIWebDownload() { Release(); }

void AIWebDownload::Release()
{
    if (data_) {
        CurlFetchResult result = {};
        result.data = data_;
        CurlFetchFree(&result);
    }
    data_ = 0;
    size_ = 0;
    contentType_[0] = 0;
}

void AIWebDownload::SetLimits(uint32_t maxBytes, int connectTimeoutMs, int totalTimeoutMs)
{
    maxBytes_ = maxBytes ? maxBytes : (uint32_t)kDefaultMaxBytes;
    connectMs_ = connectTimeoutMs > 0 ? connectTimeoutMs : kDefaultConnectMs;
    totalMs_ = totalTimeoutMs > 0 ? totalTimeoutMs : kDefaultTotalMs;
}

int AIWebDownload::FetchWebPage(const WCHAR* url)
{
    TRACE_SCOPE(kModule, 1);
    Release();
    httpStatus_ = 0;
    if (g_app.HasWord(kWordNoNetwork)) {
        result_ = kDownloadNotAllowed;
        resultText_.AssignText(L"Downloads are off: Tavik was started with \"nonetwork\"");
        return result_;
    }
    AIString wide(url);
    wide.Trim();
    int bytes = wide.ToUtf8(0, 0);
    char* utf8 = (char*)LocalAlloc(LPTR, (SIZE_T)bytes + 1);
    if (!utf8) {
        result_ = kDownloadFailed;
        resultText_.AssignText(L"Problem allocating memory");
        return result_;
    }
    wide.ToUtf8(utf8, bytes + 1);
    CurlFetchResult fetched;
    CurlFetch(utf8, maxBytes_, connectMs_, totalMs_, &fetched);
    LocalFree(utf8);

    httpStatus_ = fetched.httpStatus;
    switch (fetched.status) {
    case kCurlFetchOk: result_ = kDownloadOk; resultText_.AssignText(L"OK"); break;
    case kCurlFetchConnect:
        result_ = kDownloadConnectFailed;
        resultText_.AssignText(L"Could not connect to the web server");
        break;
    case kCurlFetchTimeout:
        result_ = kDownloadTimedOut;
        resultText_.AssignText(L"The web server did not answer in time");
        break;
    case kCurlFetchHttpError:
        result_ = kDownloadHttpError;
        resultText_.AssignText(L"The web server answered with error ").AppendInt(httpStatus_);
        break;
    case kCurlFetchTooLarge:
        result_ = kDownloadTooLarge;
        resultText_.AssignText(L"The web page is too large");
        break;
    default:
        result_ = kDownloadFailed;
        resultText_.AssignText(L"The web page could not be downloaded: ");
        {
            AIString detail;
            detail.FromUtf8(fetched.error);
            resultText_.AppendString(detail);
        }
        break;
    }
    if (fetched.size > maxBytes_) {  // never trust a size from outside
        CurlFetchFree(&fetched);
        result_ = kDownloadTooLarge;
        resultText_.AssignText(L"The web page is too large");
    }
    data_ = fetched.data;
    size_ = data_ ? (uint32_t)fetched.size : 0;
    lstrcpynA(contentType_, fetched.contentType, (int)sizeof contentType_);
    return result_;
}

int AIWebDownload::GetResult(AIString& out) const
{
    out.Clear();
    if (result_ == kDownloadOk && data_) out.FromUtf8(data_, (int)size_);
    return result_;
}

int AIWebDownload::EscapeUrl(const char* utf8, AIString& out)
{
    out.Clear();
    if (!utf8) return 0;
    int bytes = 0;
    while (utf8[bytes]) bytes++;
    if (bytes > 1000000) return 0;
    // Each byte becomes at most three characters.
    int room = bytes * 3 + 1;
    char* escaped = (char*)LocalAlloc(LPTR, (SIZE_T)room);
    if (!escaped) return 0;
    int n = CurlEscape(utf8, bytes, escaped, room);
    if (n >= 0) out.AssignAscii(escaped);
    LocalFree(escaped);
    return n >= 0;
}

int AIWebDownload::EscapeUrl(const AIString& text, AIString& out)
{
    int bytes = text.ToUtf8(0, 0);
    char* utf8 = (char*)LocalAlloc(LPTR, (SIZE_T)bytes + 1);
    if (!utf8) { out.Clear(); return 0; }
    text.ToUtf8(utf8, bytes + 1);
    int ok = EscapeUrl(utf8, out);
    LocalFree(utf8);
    return ok;
}
