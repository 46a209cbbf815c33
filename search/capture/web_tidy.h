// Tidying steps of the web page cleaner, each one pass into a new text.
#pragma once
#include "search/capture/web_text.h"

// Removes runs of short lines (menus, link lists) before the first heading
// mark, or over the whole text: a line of 1 to minimum - 1 characters, or of
// fewer than twice the minimum when an empty line follows it.
WebText DropShortLineRuns(const WebText& text, size_t minimum, bool whole);
// Removes short lines (1 to minimum - 1 characters, no "###") from the start
// until a longer line, and the same from the end.
WebText TrimShortEdgeLines(const WebText& text, size_t minimum);
// No blank at a line start, at most two blanks in a row, at most two empty lines.
WebText CollapseBlankRuns(const WebText& text);
// "--", "**" and "//" get a "_" behind them, so page text never forms note mark-up.
WebText BreakMarkupPairs(const WebText& text);
// Two equal braces in a row get a blank between them, so that no line of the
// text ever reads as the link block's fences ("{{" or "}}"), whatever the
// passes before it joined. The last step of every text meant for a note.
void PartBracePairs(WebText& text);
// Heading marks become "### " headings on a line of their own; a "#" of the
// page becomes "#_"; "{{" and "}}" (the link block's fences) are parted.
// Link targets (between kMarkLink codes) are left alone.
WebText ConvertHeadings(const WebText& text);
