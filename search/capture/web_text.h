// Text helpers of the web page cleaner: UTF-16 text as std::u16string, the
// page's bytes decoded from UTF-8, case-insensitive search, and the
// characters a page may not bring into a note.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string>

typedef std::u16string WebText;

// Marker codes the tag pass leaves in the working text.
enum : char16_t {
    kMarkBlock = 1,  // a block break
    kMarkDrop = 2,   // a character of a tag (counted by the block rule, then removed)
    kMarkLink = 3,   // opens and closes a link target
};
// The heading mark the tag pass writes for <h1> to <h5>.
extern const char16_t kHeadingMark[];  // u"#\u00B1#"

// Decodes UTF-8 (invalid bytes become U+FFFD, characters above U+FFFF surrogate pairs).
WebText DecodeUtf8(const char* bytes, size_t size);
std::string EncodeUtf8(const WebText& text);

// Position of needle in text from `from` on, ignoring ASCII case; npos when absent.
size_t FindNoCase(const WebText& text, const char* needle, size_t from = 0);
bool StartsWithNoCase(const WebText& text, size_t at, const char* needle);
// Replaces every occurrence of find (case-sensitive) in one pass.
void ReplaceAll(WebText& text, const char16_t* find, const char16_t* replacement);
void AppendAscii(WebText& text, const char* ascii);
WebText Ascii(const char* ascii);
void TrimBlanks(WebText& text);

// NUL, other C0 controls (but TAB, CR, LF) and C1 controls: never taken from a page.
bool IsDroppedControl(uint32_t ch);
// Appends a character of the page's text, mapped so that it can never act as
// the note file's own mark-up: the note separator U+00A4 and the list quote
// U+00BD are written out, the heading mark U+00B1 becomes "+/-", controls are
// dropped. AppendPageChar takes a code point (a surrogate alone is U+FFFD);
// AppendTextUnit one UTF-16 unit of text whose pairs are already in order.
void AppendPageChar(WebText& out, uint32_t ch);
void AppendTextUnit(WebText& out, char16_t unit);
// Appends a character of a link's address as it is (controls dropped): the
// address is percent-encoded where it is written into the note.
void AppendTargetChar(WebText& out, uint32_t ch);
