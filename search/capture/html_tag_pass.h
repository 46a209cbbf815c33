// The tag pass of the web page cleaner: one walk over the page body that
// turns mark-up into the working text of the block rule. Every character of a
// tag becomes kMarkDrop (so the block rule sees how much mark-up a block
// carries); containers (divisions, sections, tables, menus) give a block
// break, so that an article's paragraphs weigh as one block; paragraphs an
// empty line, line breaks and table rows a line break; list items " • " on a
// line of their own; table cells a blank or a TAB; <h1> to <h5> a block break
// and the heading mark; scripts, styles, comments and embedded objects vanish.
// For a capture a link becomes kMarkLink + target + kMarkLink + "[" + its
// text + "]"; for a preview only its text stays.
#pragma once
#include "search/capture/web_text.h"
#include <vector>

// breakDepths, when given, gets for every block break of the result the
// number of containers open behind it, counted from the body's start (a
// container closed that opened before the body counts below zero).
WebText RunTagPass(const WebText& body, bool capture, std::vector<int32_t>* breakDepths = nullptr);
