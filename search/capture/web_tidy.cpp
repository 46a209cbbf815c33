// Tidying steps of the web page cleaner.
#include "search/capture/web_tidy.h"
#include <vector>

namespace {

struct Line {
    size_t start, length, next;  // next: after the line break
};

std::vector<Line> SplitLines(const WebText& t)
{
    std::vector<Line> lines;
    size_t i = 0;
    while (i < t.size()) {
        size_t end = i;
        while (end < t.size() && t[end] != '\r' && t[end] != '\n') end++;
        size_t next = end;
        if (next < t.size() && t[next] == '\r') next++;
        if (next < t.size() && t[next] == '\n') next++;
        lines.push_back(Line{i, end - i, next});
        i = next;
    }
    return lines;
}

bool Contains(const WebText& t, const Line& line, const char16_t* what)
{
    WebText needle(what);
    size_t at = t.find(needle, line.start);
    return at != WebText::npos && at + needle.size() <= line.start + line.length;
}

}  // namespace

WebText DropShortLineRuns(const WebText& t, size_t minimum, bool whole)
{
    size_t limit = whole ? t.size() : t.find(kHeadingMark);
    if (limit == WebText::npos) limit = t.size();
    std::vector<Line> lines = SplitLines(t);
    WebText out;
    out.reserve(t.size());
    for (size_t k = 0; k < lines.size(); k++) {
        const Line& line = lines[k];
        bool emptyNext = k + 1 < lines.size() && lines[k + 1].length == 0;
        bool drop = line.start < limit && line.length > 0 && !Contains(t, line, u"#\u00B1") &&
                    (line.length < minimum || (emptyNext && line.length < 2 * minimum));
        if (!drop) out.append(t, line.start, line.next - line.start);
    }
    return out;
}

WebText TrimShortEdgeLines(const WebText& t, size_t minimum)
{
    std::vector<Line> lines = SplitLines(t);
    std::vector<bool> keep(lines.size(), true);
    auto isShort = [&](const Line& line) {
        return line.length > 0 && line.length < minimum && !Contains(t, line, u"###");
    };
    for (size_t k = 0; k < lines.size() && lines[k].length <= minimum; k++)
        if (isShort(lines[k])) keep[k] = false;
    for (size_t k = lines.size(); k > 0 && lines[k - 1].length <= minimum; k--)
        if (isShort(lines[k - 1])) keep[k - 1] = false;
    WebText out;
    out.reserve(t.size());
    for (size_t k = 0; k < lines.size(); k++)
        if (keep[k]) out.append(t, lines[k].start, lines[k].next - lines[k].start);
    return out;
}

WebText CollapseBlankRuns(const WebText& t)
{
    WebText out;
    out.reserve(t.size());
    int blanks = 0, emptyLines = 0;
    bool lineStart = true;
    for (size_t i = 0; i < t.size(); i++) {
        char16_t c = t[i];
        if (c == ' ') {
            if (lineStart || ++blanks > 2) continue;
            out.push_back(c);
            continue;
        }
        if (c == '\n') continue;  // each CR writes its CR LF
        if (c == '\r') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            emptyLines = lineStart ? emptyLines + 1 : 0;
            if (emptyLines <= 2) out += u"\r\n";
            lineStart = true;
            blanks = 0;
            continue;
        }
        lineStart = false;
        blanks = 0;
        emptyLines = 0;
        out.push_back(c);
    }
    return out;
}

WebText BreakMarkupPairs(const WebText& t)
{
    if (t.size() < 5) return t;
    WebText out;
    out.reserve(t.size() + t.size() / 16);
    for (size_t i = 0; i < t.size(); i++) {
        out.push_back(t[i]);
        char16_t c = t[i];
        if (i >= 3 && (c == '-' || c == '*' || c == '/') && out.size() >= 2 && out[out.size() - 2] == c)
            out.push_back('_');
    }
    return out;
}

void PartBracePairs(WebText& text)
{
    size_t pairs = 0;
    for (size_t i = 1; i < text.size(); i++)
        if ((text[i] == '{' || text[i] == '}') && text[i - 1] == text[i]) pairs++;
    if (!pairs) return;
    WebText out;
    out.reserve(text.size() + pairs);
    for (size_t i = 0; i < text.size(); i++) {
        if (i > 0 && (text[i] == '{' || text[i] == '}') && text[i - 1] == text[i]) out.push_back(' ');
        out.push_back(text[i]);
    }
    text.swap(out);
}

WebText ConvertHeadings(const WebText& t)
{
    WebText out;
    out.reserve(t.size() + t.size() / 16);
    bool inTarget = false;
    for (size_t i = 0; i < t.size(); i++) {
        if (t[i] == kMarkLink) inTarget = !inTarget;
        if (inTarget || t[i] == kMarkLink) {
            out.push_back(t[i]);  // a link's address keeps its "#" and braces
        } else if (t.compare(i, 3, kHeadingMark) == 0) {
            while (!out.empty() && (out.back() == ' ' || out.back() == '\r' || out.back() == '\n'))
                out.pop_back();
            if (!out.empty()) out += u"\r\n\r\n";
            out += u"### ";
            i += 2;
        } else if (t[i] == '#') {
            out += u"#_";
        } else if ((t[i] == '{' || t[i] == '}') && !out.empty() && out.back() == t[i]) {
            out.push_back(' ');
            out.push_back(t[i]);
        } else {
            out.push_back(t[i]);
        }
    }
    return out;
}
