// Text helpers of the web page cleaner.
#include "search/capture/web_text.h"

const char16_t kHeadingMark[] = u"#\u00B1#";

namespace {

char16_t LowerAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c; }

void AppendCodePoint(WebText& out, uint32_t ch)
{
    if (ch >= 0x10000 && ch <= 0x10FFFF) {
        ch -= 0x10000;
        out.push_back(char16_t(0xD800 + (ch >> 10)));
        out.push_back(char16_t(0xDC00 + (ch & 0x3FF)));
    } else if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        out.push_back(u'\uFFFD');
    } else {
        out.push_back(char16_t(ch));
    }
}

}  // namespace

WebText DecodeUtf8(const char* bytes, size_t size)
{
    WebText out;
    out.reserve(size);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes);
    const uint8_t* end = p + size;
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) p += 3;
    while (p < end) {
        uint8_t c = *p++;
        if (c < 0x80) {
            out.push_back(c);
            continue;
        }
        int more = (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        uint32_t ch = more == 1 ? c & 0x1F : more == 2 ? c & 0x0F : c & 0x07;
        if (more < 0 || end - p < more) {
            out.push_back(u'\uFFFD');
            continue;
        }
        bool valid = true;
        for (int i = 0; i < more; i++) {
            if ((p[i] & 0xC0) != 0x80) valid = false;
            ch = (ch << 6) | (p[i] & 0x3F);
        }
        static const uint32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
        if (!valid || ch < kLeast[more]) {
            out.push_back(u'\uFFFD');
            continue;
        }
        p += more;
        AppendCodePoint(out, ch);
    }
    return out;
}

std::string EncodeUtf8(const WebText& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); i++) {
        uint32_t ch = text[i];
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            i++;
        } else if (ch >= 0xD800 && ch < 0xE000) {
            ch = 0xFFFD;
        }
        if (ch < 0x80) {
            out.push_back(char(ch));
        } else if (ch < 0x800) {
            out.push_back(char(0xC0 | (ch >> 6)));
            out.push_back(char(0x80 | (ch & 0x3F)));
        } else if (ch < 0x10000) {
            out.push_back(char(0xE0 | (ch >> 12)));
            out.push_back(char(0x80 | ((ch >> 6) & 0x3F)));
            out.push_back(char(0x80 | (ch & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (ch >> 18)));
            out.push_back(char(0x80 | ((ch >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((ch >> 6) & 0x3F)));
            out.push_back(char(0x80 | (ch & 0x3F)));
        }
    }
    return out;
}

bool StartsWithNoCase(const WebText& text, size_t at, const char* needle)
{
    for (size_t i = 0; needle[i]; i++)
        if (at + i >= text.size() || LowerAscii(text[at + i]) != LowerAscii(char16_t(needle[i])))
            return false;
    return true;
}

size_t FindNoCase(const WebText& text, const char* needle, size_t from)
{
    char16_t first = LowerAscii(char16_t(needle[0]));
    char16_t upper = first >= 'a' && first <= 'z' ? char16_t(first - 32) : first;
    for (size_t i = from; i < text.size(); i++)
        if ((text[i] == first || text[i] == upper) && StartsWithNoCase(text, i, needle)) return i;
    return WebText::npos;
}

void ReplaceAll(WebText& text, const char16_t* find, const char16_t* replacement)
{
    WebText needle(find), with(replacement);
    if (needle.empty() || text.find(needle) == WebText::npos) return;
    WebText out;
    out.reserve(text.size());
    size_t at = 0;
    for (;;) {
        size_t hit = text.find(needle, at);
        if (hit == WebText::npos) break;
        out.append(text, at, hit - at);
        out += with;
        at = hit + needle.size();
    }
    out.append(text, at, WebText::npos);
    text.swap(out);
}

void AppendAscii(WebText& text, const char* ascii)
{
    while (*ascii) text.push_back(char16_t(uint8_t(*ascii++)));
}

WebText Ascii(const char* ascii)
{
    WebText text;
    AppendAscii(text, ascii);
    return text;
}

void TrimBlanks(WebText& text)
{
    size_t a = 0, b = text.size();
    while (a < b && (text[a] == ' ' || text[a] == '\t' || text[a] == '\r' || text[a] == '\n')) a++;
    while (b > a && (text[b - 1] == ' ' || text[b - 1] == '\t' || text[b - 1] == '\r' || text[b - 1] == '\n'))
        b--;
    text = text.substr(a, b - a);
}

bool IsDroppedControl(uint32_t ch)
{
    return (ch < 32 && ch != '\t' && ch != '\r' && ch != '\n') || ch == 0x7F || (ch >= 0x80 && ch < 0xA0 && ch != 0x85);
}

void AppendTextUnit(WebText& out, char16_t unit)
{
    if (unit == 0xB1)
        AppendAscii(out, "+/-");
    else if (unit == 0xA4)
        AppendAscii(out, "(currency)");
    else if (unit == 0xBD)
        AppendAscii(out, "1/2");
    else if (!IsDroppedControl(unit))
        out.push_back(unit);
}

void AppendPageChar(WebText& out, uint32_t ch)
{
    if (ch < 0xD800 || (ch >= 0xE000 && ch < 0x10000))
        AppendTextUnit(out, char16_t(ch));
    else
        AppendCodePoint(out, ch);
}

void AppendTargetChar(WebText& out, uint32_t ch)
{
    if (!IsDroppedControl(ch)) AppendCodePoint(out, ch);
}
