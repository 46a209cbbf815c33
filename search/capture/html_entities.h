// Character references of a page ("&eacute;", "&#233;", "&#xE9;") decoded in
// one pass, so "&amp;lt;" reads "&lt;" and is not decoded twice. Numeric
// references from 128 to 159 are read as Windows-1252 (as browsers do), above
// U+FFFF as surrogate pairs, invalid ones as U+FFFD; every decoded character
// passes AppendPageChar. A blank (U+00A0 too) "&nbsp;" is a plain blank,
// dashes "-" and curly quotes straight ones.
#pragma once
#include "search/capture/web_text.h"

// Link targets of the working text (between kMarkLink codes) are left as they
// are: the tag pass has decoded them already.
WebText DecodeHtmlEntities(const WebText& text);
// A link's address: references decoded to the characters themselves, nothing
// mapped (only controls dropped).
WebText DecodeTargetEntities(const WebText& href);
