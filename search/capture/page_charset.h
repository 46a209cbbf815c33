// The character set of a downloaded page as a Windows code page: a
// byte-order mark first, then the HTTP header's charset, then the page's own
// meta tag; UTF-8 when nothing names one.
#pragma once
#include <stddef.h>

enum : unsigned {
    kCodePageUtf8 = 65001,
    kCodePageUtf16Le = 1200,
    kCodePageUtf16Be = 1201,
    kCodePageWestern = 1252,
};

// The code page of a charset name ("windows-1252", "ISO-8859-2", "utf-8",
// "latin1"...), ignoring case and surrounding quotes and blanks; 0 unknown.
unsigned CodePageOfCharsetName(const char* name, size_t length);

// The charset named in a Content-Type value ("text/html; charset=iso-8859-1"),
// as a code page; 0 when it names none or one not known.
unsigned CodePageOfContentType(const char* contentType);

// The code page to decode a page with. contentType may be null.
unsigned FindPageCodePage(const char* contentType, const char* bytes, size_t size);
