// Finding a page's character set.
#include "search/capture/page_charset.h"
#include <string.h>

namespace {

// How far into the page a meta tag naming the charset is looked for.
const size_t kMetaSearchBytes = 4096;

struct CharsetName {
    const char* name;
    unsigned codePage;
};

const CharsetName kCharsets[] = {
    {"utf-8", kCodePageUtf8},
    {"utf8", kCodePageUtf8},
    {"unicode-1-1-utf-8", kCodePageUtf8},
    {"utf-16", kCodePageUtf16Le},
    {"utf-16le", kCodePageUtf16Le},
    {"utf-16be", kCodePageUtf16Be},
    {"us-ascii", 20127},
    {"ascii", 20127},
    {"windows-1250", 1250},
    {"windows-1251", 1251},
    {"windows-1252", 1252},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"windows-1255", 1255},
    {"windows-1256", 1256},
    {"windows-1257", 1257},
    {"windows-1258", 1258},
    {"cp1252", 1252},
    {"cp1251", 1251},
    {"cp1250", 1250},
    // Browsers read ISO-8859-1 and Latin-1 pages as windows-1252, its superset.
    {"iso-8859-1", 1252},
    {"iso8859-1", 1252},
    {"latin1", 1252},
    {"l1", 1252},
    {"iso_8859-1", 1252},
    {"iso-8859-2", 28592},
    {"iso-8859-3", 28593},
    {"iso-8859-4", 28594},
    {"iso-8859-5", 28595},
    {"iso-8859-6", 28596},
    {"iso-8859-7", 28597},
    {"iso-8859-8", 28598},
    {"iso-8859-9", 28599},
    {"iso-8859-13", 28603},
    {"iso-8859-15", 28605},
    {"latin2", 28592},
    {"koi8-r", 20866},
    {"koi8-u", 21866},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"euc-jp", 20932},
    {"gb2312", 936},
    {"gbk", 936},
    {"gb18030", 54936},
    {"big5", 950},
    {"euc-kr", 949},
    {"ks_c_5601-1987", 949},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

bool IsBlankOrQuote(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"' || c == '\'';
}

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

// Position of needle (lower case) in bytes [from, end), ignoring ASCII case; end when absent.
size_t FindNoCase(const char* bytes, size_t from, size_t end, const char* needle)
{
    size_t n = strlen(needle);
    for (size_t i = from; i + n <= end; i++) {
        size_t k = 0;
        while (k < n && Lower(bytes[i + k]) == needle[k]) k++;
        if (k == n) return i;
    }
    return end;
}

// The charset name after "charset" at `at` (an "=" and optional quotes between).
unsigned CharsetAfter(const char* bytes, size_t at, size_t end)
{
    at += 7;
    while (at < end && (bytes[at] == ' ' || bytes[at] == '\t')) at++;
    if (at >= end || bytes[at] != '=') return 0;
    at++;
    while (at < end && IsBlankOrQuote(bytes[at])) at++;
    size_t start = at;
    while (at < end && IsNameChar(bytes[at])) at++;
    return CodePageOfCharsetName(bytes + start, at - start);
}

unsigned CodePageOfByteOrderMark(const unsigned char* b, size_t size)
{
    if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return kCodePageUtf8;
    if (size >= 2 && b[0] == 0xFF && b[1] == 0xFE) return kCodePageUtf16Le;
    if (size >= 2 && b[0] == 0xFE && b[1] == 0xFF) return kCodePageUtf16Be;
    return 0;
}

// "<meta charset=x>" or "<meta http-equiv=... content="...; charset=x">".
unsigned CodePageOfMetaTag(const char* bytes, size_t size)
{
    size_t end = size < kMetaSearchBytes ? size : kMetaSearchBytes;
    for (size_t at = FindNoCase(bytes, 0, end, "<meta"); at < end;
         at = FindNoCase(bytes, at + 5, end, "<meta")) {
        size_t close = at;
        while (close < end && bytes[close] != '>') close++;
        size_t charset = FindNoCase(bytes, at, close, "charset");
        if (charset < close) {
            unsigned codePage = CharsetAfter(bytes, charset, close);
            if (codePage) return codePage;
        }
    }
    return 0;
}

}  // namespace

unsigned CodePageOfCharsetName(const char* name, size_t length)
{
    if (!name) return 0;
    while (length && IsBlankOrQuote(*name)) name++, length--;
    while (length && IsBlankOrQuote(name[length - 1])) length--;
    for (const CharsetName& entry : kCharsets) {
        size_t n = strlen(entry.name);
        if (n != length) continue;
        size_t k = 0;
        while (k < n && Lower(name[k]) == entry.name[k]) k++;
        if (k == n) return entry.codePage;
    }
    return 0;
}

unsigned CodePageOfContentType(const char* contentType)
{
    if (!contentType) return 0;
    size_t end = strlen(contentType);
    size_t at = FindNoCase(contentType, 0, end, "charset");
    return at < end ? CharsetAfter(contentType, at, end) : 0;
}

unsigned FindPageCodePage(const char* contentType, const char* bytes, size_t size)
{
    // A byte-order mark is the surest sign, as browsers take it.
    unsigned codePage =
        bytes ? CodePageOfByteOrderMark(reinterpret_cast<const unsigned char*>(bytes), size) : 0;
    if (codePage) return codePage;
    codePage = CodePageOfContentType(contentType);
    if (codePage) return codePage;
    if (!bytes) return kCodePageUtf8;
    codePage = CodePageOfMetaTag(bytes, size);
    // A meta tag of an 8-bit page cannot truly say UTF-16 (it was read as ASCII).
    if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be) codePage = kCodePageUtf8;
    return codePage ? codePage : kCodePageUtf8;
}
