// The tag pass of the web page cleaner.
#include "search/capture/html_tag_pass.h"
#include "search/capture/html_entities.h"

namespace {

const char* const kDroppedElements[] = {"script", "style", "noscript", "object",
                                        "iframe", "map",   "svg",      "template"};

bool IsNameChar(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Elements that hold blocks of a page (columns, menus, articles, tables):
// the block rule weighs what stands between them.
bool IsContainer(const WebText& name)
{
    static const char* const kContainers[] = {"div", "section", "article", "header", "footer",
                                              "nav", "aside",   "main",    "form",   "center"};
    for (const char* container : kContainers)
        if (name == Ascii(container)) return true;
    return false;
}

void AppendMarks(WebText& out, char16_t mark, size_t count) { out.append(count, mark); }

struct Breaks {
    int32_t depth = 0;
    std::vector<int32_t>* depths;

    void Add(WebText& out)
    {
        out.push_back(kMarkBlock);
        out += u"\r\n";
        if (depths) depths->push_back(depth);
    }
};

// The value of an attribute in the tag text [open, close), empty when absent.
WebText Attribute(const WebText& text, size_t open, size_t close, const char* name)
{
    size_t length = 0;
    while (name[length]) length++;
    for (size_t at = open; at + length <= close; at++) {
        if (!StartsWithNoCase(text, at, name)) continue;
        if (at > open && (IsNameChar(text[at - 1]) || text[at - 1] == '-')) continue;
        size_t after = at + length;
        while (after < close && text[after] == ' ') after++;
        if (after >= close || text[after] != '=') continue;
        after++;
        while (after < close && text[after] == ' ') after++;
        char16_t quote = after < close && (text[after] == '"' || text[after] == '\'') ? text[after] : 0;
        if (quote) after++;
        size_t end = after;
        while (end < close && (quote ? text[end] != quote : text[end] != ' ' && text[end] != '>')) end++;
        return text.substr(after, end - after);
    }
    return WebText();
}

}  // namespace

WebText RunTagPass(const WebText& body, bool capture, std::vector<int32_t>* breakDepths)
{
    Breaks breaks{0, breakDepths};
    if (breakDepths) breakDepths->clear();
    WebText out;
    out.reserve(body.size() + body.size() / 8);
    bool firstCell = true;
    bool inLink = false;
    for (size_t i = 0; i < body.size();) {
        char16_t c = body[i];
        if (c != '<') {
            AppendTextUnit(out, c);
            i++;
            continue;
        }
        if (StartsWithNoCase(body, i, "<!--")) {
            size_t end = body.find(u"-->", i + 4);
            end = end == WebText::npos ? body.size() : end + 3;
            AppendMarks(out, kMarkDrop, end - i);
            i = end;
            continue;
        }
        bool closing = i + 1 < body.size() && body[i + 1] == '/';
        size_t nameAt = i + (closing ? 2 : 1);
        size_t nameEnd = nameAt;
        while (nameEnd < body.size() && IsNameChar(body[nameEnd])) nameEnd++;
        if (nameEnd == nameAt && !(nameAt < body.size() && body[nameAt] == '!')) {
            out.push_back(c);  // a "<" of the text, not a tag
            i++;
            continue;
        }
        size_t close = body.find(u'>', nameEnd);
        if (close == WebText::npos) close = body.size() - 1;  // a broken last tag ends the page
        WebText name = body.substr(nameAt, nameEnd - nameAt);
        for (char16_t& ch : name)
            if (ch >= 'A' && ch <= 'Z') ch = char16_t(ch + 32);
        size_t tagLength = close + 1 - i;
        bool dropped = false;
        for (const char* element : kDroppedElements) {
            if (closing || name != Ascii(element)) continue;
            WebText endTag = Ascii("</");
            AppendAscii(endTag, element);
            size_t end = FindNoCase(body, EncodeUtf8(endTag).c_str(), close);
            end = end == WebText::npos ? body.size() : body.find(u'>', end);
            end = end == WebText::npos ? body.size() : end + 1;
            AppendMarks(out, kMarkDrop, end - i);
            i = end;
            dropped = true;
            break;
        }
        if (dropped) continue;
        AppendMarks(out, kMarkDrop, tagLength);
        if (name == u"a" && !closing) {
            WebText href = DecodeTargetEntities(Attribute(body, nameEnd, close, "href"));
            TrimBlanks(href);
            if (capture && !href.empty()) {
                for (char16_t& ch : href)
                    if (ch == kMarkLink || ch == kMarkBlock || ch == kMarkDrop) ch = ' ';
                out.push_back(kMarkLink);
                out += href;
                out.push_back(kMarkLink);
                out.push_back('[');
                inLink = true;
            }
        } else if (name == u"a" && closing) {
            if (inLink) out.push_back(']');
            inLink = false;
        } else if (name == u"li" && !closing) {
            out += u"\r\n \u2022 ";
        } else if (name == u"blockquote") {
            breaks.Add(out);
            out += u"\r\n";
        } else if (IsContainer(name)) {
            if (closing)
                breaks.depth--;
            else if (body[close - 1] != '/')
                breaks.depth++;
            breaks.Add(out);
            firstCell = true;
        } else if (name == u"p" || name == u"ul" || name == u"ol" || name == u"dl") {
            out += u"\r\n\r\n";
        } else if (name == u"br" || name == u"tr" || name == u"dt" || name == u"dd") {
            out += u"\r\n";
            firstCell = true;
        } else if ((name == u"td" || name == u"th") && !closing) {
            out.push_back(firstCell ? ' ' : '\t');
            firstCell = false;
        } else if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '5') {
            if (closing) {
                out += u"\r\n";
            } else {
                if (inLink) out.push_back(']');
                inLink = false;
                breaks.Add(out);
                out += kHeadingMark;
            }
        } else if (StartsWithNoCase(Attribute(body, nameEnd, close, "class"), 0, "comment")) {
            breaks.Add(out);
        }
        i = close + 1;
    }
    if (inLink) out.push_back(']');
    return out;
}
