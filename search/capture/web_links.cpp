// Links of captured pages.
#include "search/capture/web_links.h"

namespace {

bool IsLetterOrDigit(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsLabelChar(char16_t c) { return IsLetterOrDigit(c) || c == '-' || c == '@' || c == '.' || c == ','; }

// Where the words that a link's label holds end in the link's text: the
// words after them stay in the note as plain text.
size_t LabelWordsEnd(const WebText& shown)
{
    size_t labelChars = 0;
    for (size_t at = 0; at < shown.size();) {
        size_t wordEnd = shown.find(u' ', at);
        if (wordEnd == WebText::npos) wordEnd = shown.size();
        size_t chars = 0;
        for (size_t i = at; i < wordEnd; i++) chars += IsLabelChar(shown[i]) ? 1 : 0;
        if (chars > 0) {
            size_t grown = labelChars + (labelChars > 0 ? 1 : 0) + chars;
            if (grown > kMaxLabelChars) return labelChars > 0 ? at : wordEnd;
            labelChars = grown;
        }
        at = wordEnd + 1;
    }
    return shown.size();
}

WebText EncodeTarget(const WebText& target)
{
    static const char kHex[] = "0123456789ABCDEF";
    WebText out;
    for (char16_t c : target) {
        if (c == '[' || c == ']' || c == ',' || c == '{' || c == '}' || c == ' ' || c < 32 || c == 0xA4 ||
            c == 0xB1 || c == 0xBD) {
            std::string bytes = EncodeUtf8(WebText(1, c));
            for (unsigned char b : bytes) {
                out.push_back('%');
                out.push_back(char16_t(kHex[b >> 4]));
                out.push_back(char16_t(kHex[b & 15]));
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

WebText SiteRoot(const WebText& pageUrl)
{
    size_t scheme = pageUrl.find(u"://");
    if (scheme == WebText::npos) return WebText();
    size_t path = pageUrl.find(u'/', scheme + 3);
    return pageUrl.substr(0, path == WebText::npos ? pageUrl.size() : path);
}

WebText MakeAbsoluteUrl(const WebText& href, const WebText& pageUrl)
{
    if (href.empty() || href[0] == '#') return WebText();
    if (StartsWithNoCase(href, 0, "http://") || StartsWithNoCase(href, 0, "https://") ||
        StartsWithNoCase(href, 0, "mailto:"))
        return href.substr(0, kMaxTargetChars);
    size_t colon = href.find(u':');
    size_t slash = href.find(u'/');
    if (colon != WebText::npos && (slash == WebText::npos || colon < slash))
        return WebText();  // another scheme
    WebText root = SiteRoot(pageUrl);
    if (root.empty()) return WebText();
    WebText out;
    if (href.size() >= 2 && href[0] == '/' && href[1] == '/') {
        out = pageUrl.substr(0, pageUrl.find(u':') + 1) + href;
    } else if (href[0] == '/') {
        out = root + href;
    } else {
        WebText folder = pageUrl.substr(0, pageUrl.find_first_of(u"?#"));
        size_t last = folder.rfind(u'/');
        folder = last != WebText::npos && last >= root.size() ? folder.substr(0, last) : root;
        size_t at = 0;
        for (int level = 0; level < kMaxParentLevels && href.compare(at, 3, u"../") == 0; level++) {
            at += 3;
            size_t up = folder.rfind(u'/');
            if (up != WebText::npos && up >= root.size()) folder.resize(up);
        }
        if (href.compare(at, 2, u"./") == 0) at += 2;
        out = folder + u"/" + href.substr(at);
    }
    return out.substr(0, kMaxTargetChars);
}

WebText CleanLinkLabel(const WebText& text)
{
    WebText out;
    for (char16_t c : text) {
        if (IsLabelChar(c) || c == ' ') {
            if (c == ',') c = '.';
            if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
            out.push_back(c);
        }
    }
    if (out.size() > kMaxLabelChars) {
        size_t cut = out.rfind(u' ', kMaxLabelChars);
        out.resize(cut != WebText::npos && cut > 0 ? cut : size_t(kMaxLabelChars));
    }
    TrimBlanks(out);
    for (const char* prefix : {"http://", "https://"})
        if (StartsWithNoCase(out, 0, prefix)) out.erase(0, Ascii(prefix).size());
    return out;
}

WebText CollectWebLinks(const WebText& text, const WebText& pageUrl, std::vector<WebLink>* links)
{
    WebText out;
    out.reserve(text.size());
    WebText root = SiteRoot(pageUrl);
    for (size_t i = 0; i < text.size();) {
        if (text[i] != kMarkLink) {
            out.push_back(text[i++]);
            continue;
        }
        size_t hrefEnd = text.find(kMarkLink, i + 1);
        if (hrefEnd == WebText::npos) break;
        WebText href = text.substr(i + 1, hrefEnd - i - 1);
        size_t labelStart = hrefEnd + 1;
        if (labelStart < text.size() && text[labelStart] == '[') labelStart++;
        size_t labelEnd = text.find(u']', labelStart);
        size_t nextMark = text.find(kMarkLink, labelStart);
        if (labelEnd == WebText::npos || (nextMark != WebText::npos && nextMark < labelEnd))
            labelEnd = labelStart;
        WebText shown = text.substr(labelStart, labelEnd - labelStart);
        i = labelEnd < text.size() && text[labelEnd] == ']' ? labelEnd + 1 : labelEnd;
        WebText target = MakeAbsoluteUrl(href, pageUrl);
        WebText label = CleanLinkLabel(shown);
        bool taken = false;
        for (const WebLink& link : *links) taken = taken || link.label == label;
        bool keep = !label.empty() && !taken && target.size() >= kMinTargetChars && target != pageUrl &&
                    target != root && target != root + u"/" && links->size() < kMaxWebLinks;
        if (keep) {
            links->push_back(WebLink{label, EncodeTarget(target)});
            out += u"[" + label + u"]";
            WebText rest = shown.substr(LabelWordsEnd(shown));
            TrimBlanks(rest);
            if (!rest.empty())
                out += u" " + rest;
            else if (i < text.size() && text[i] != ' ' && text[i] != ',' && text[i] != '.')
                out.push_back(' ');
        } else {
            out += shown;
        }
    }
    return out;
}

WebText BuildLinkBlock(const std::vector<WebLink>& links)
{
    WebText entries;
    for (const WebLink& link : links) {
        WebText entry = link.label + u":" + link.target;
        if (entries.size() + entry.size() > kMaxLinkBlockChars) break;
        if (!entries.empty()) entries += u"]\r\n[";
        entries += entry;
    }
    if (entries.empty()) return WebText();
    return u"\r\n{{\r\n[" + entries + u"]\r\n}}";
}
