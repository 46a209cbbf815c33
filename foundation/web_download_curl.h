// The bridge to libcurl, compiled by the host compiler: plain types only.
#pragma once
#include <stddef.h>

enum {
    kCurlFetchOk = 0,
    kCurlFetchConnect = 1,
    kCurlFetchTimeout = 2,
    kCurlFetchHttpError = 3,
    kCurlFetchTooLarge = 4,
    kCurlFetchOther = 5,
};

struct CurlFetchResult {
    int status;           // one of kCurlFetch*
    int httpStatus;       // 0 when no answer came
    char* data;           // malloc'd page, zero-terminated; release with CurlFetchFree
    size_t size;
    char error[256];      // libcurl's text for a failure
    char contentType[128]; // the answer's Content-Type ("" when none), cut to fit
};

// One HTTP GET of url into memory, at most maxBytes.
int CurlFetch(const char* url, size_t maxBytes, int connectTimeoutMs, int totalTimeoutMs,
              CurlFetchResult* out);
void CurlFetchFree(CurlFetchResult* result);

// URL-escapes bytes into out (zero-terminated); returns the length, or -1
// when out is too small or escaping failed.
int CurlEscape(const char* text, int bytes, char* out, int outSize);
