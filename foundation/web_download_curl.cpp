// Compiled by the host compiler: curl.h clashes with the Win32 headers.
#include "foundation/web_download_curl.h"
#include <curl/curl.h>
#include <stdlib.h>
#include <string.h>

namespace {

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
    if (state == 0) state = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK ? 1 : -1;
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
    CURL* curl = curl_easy_init();
    if (!curl) {
        strcpy(out->error, "network library not ready");
        return out->status;
    }
    Sink sink = {0, 0, 0, maxBytes, 0};
    char error[CURL_ERROR_SIZE];
    error[0] = 0;
    curl_easy_setopt(curl, CURLOPT_URL, url);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToSink);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, (long)connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, (long)totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/5.0 (compatible; Tavik)");
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    if (maxBytes < (size_t)0x7FFFFFFF) curl_easy_setopt(curl, CURLOPT_MAXFILESIZE, (long)maxBytes);

    CURLcode code = curl_easy_perform(curl);
    long http = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &http);
    char* type = 0;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) {
        strncpy(out->contentType, type, sizeof(out->contentType) - 1);
        out->contentType[sizeof(out->contentType) - 1] = 0;
    }
    curl_easy_cleanup(curl);
    out->httpStatus = (int)http;

    if (sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED) out->status = kCurlFetchTooLarge;
    else if (code == CURLE_OPERATION_TIMEDOUT) out->status = kCurlFetchTimeout;
    else if (code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_RESOLVE_PROXY)
        out->status = kCurlFetchConnect;
    else if (code != CURLE_OK) out->status = kCurlFetchOther;
    else if (http >= 400) out->status = kCurlFetchHttpError;
    else out->status = kCurlFetchOk;

    strncpy(out->error, error[0] ? error : curl_easy_strerror(code), sizeof(out->error) - 1);
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
    char* escaped = curl_easy_escape(0, text, bytes);
    if (!escaped) return -1;
    size_t n = strlen(escaped);
    int result = -1;
    if (n < (size_t)outSize) {
        memcpy(out, escaped, n + 1);
        result = (int)n;
    }
    curl_free(escaped);
    return result;
}
