// The links of a captured page: targets made absolute against the page's
// address, labels cleaned, and the note's link block ("{{" ... "}}") built.
// Only http(s) and mailto targets become live links; "javascript:", "file:"
// and every other scheme stay plain text.
#pragma once
#include "search/capture/web_text.h"
#include <vector>

struct WebLink {
    WebText label;
    WebText target;
};

enum {
    kMaxWebLinks = 100,
    kMaxLabelChars = 29,
    kMaxTargetChars = 1000,
    kMinTargetChars = 11,
    kMaxLinkBlockChars = 40000,
    kMaxParentLevels = 6,
};

// The scheme and host of an address ("https://host"), empty when it has none.
WebText SiteRoot(const WebText& pageUrl);
// An absolute target for href found on pageUrl; empty when it must not be a live link.
WebText MakeAbsoluteUrl(const WebText& href, const WebText& pageUrl);
// The label of a link: letters, digits, blank, "-", "@" and "."; "," as "."; at
// most 29 characters, cut at a blank when longer.
WebText CleanLinkLabel(const WebText& text);
// Takes the marked links out of the text: a kept link reads "[label]", any
// other only its text. The kept links are appended to *links.
WebText CollectWebLinks(const WebText& text, const WebText& pageUrl, std::vector<WebLink>* links);
// "\r\n{{\r\n[label:target]\r\n...]\r\n}}" with the characters the block uses
// itself ("[", "]", ",", "{", "}", blanks) percent-encoded in targets.
WebText BuildLinkBlock(const std::vector<WebLink>& links);
