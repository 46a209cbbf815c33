// The edge rules of Backspace and Delete at links, row by row.
#include "editor/links/link_edges.h"

LinkCaretState g_linkCaret;

EdgeCode ClassifyEdge(EdgeKey key, int hasSelection, const EdgeMarks& m, int32_t rangeStart, int wholeLinkAtEnd,
                      int isHeadingRight, const EdgeKinds& kinds)
{
    const int32_t h = kinds.hyperlink, n = kinds.noteLink;
    const int backspace = key == kEdgeBackspace;
    if (!hasSelection) {
        if (m.deleted == h && m.left == h && m.right == h) return kEdgeInsideLink;
        if (backspace && m.deleted == h && m.left == h && m.right != h) return kEdgeInsideLink;
        if (!backspace && m.deleted == h) return kEdgeInsideLink;
        // Delete before a hyperlink: the first character of the link is what
        // the next Delete would take; this one acts on plain text.
        if (!backspace && m.right == h) return kEdgeNone;
        if (m.deleted != h && m.left == h && m.right == h) return kEdgeJoinsLinks;
    }
    if (m.right == h && rangeStart == 1) return kEdgeJoinsLinks;
    if (hasSelection && (m.deleted == h || m.left == h || m.right == h)) return kEdgePartialLink;
    if (!hasSelection) {
        if (m.deleted == n && m.left == n && m.right == n) return kEdgeNoteLinkInside;
        if (m.deleted == n && m.left == n && m.right != n) return kEdgeNoteLinkEnd;
        if (!backspace && m.deleted == n) return kEdgeNoteLinkDelete;
    }
    if (hasSelection && (m.deleted == n || m.left == n || m.right == n)) return kEdgeNoteLinkSelection;
    if (!hasSelection && isHeadingRight) return kEdgeBeforeHeading;
    return wholeLinkAtEnd ? kEdgeWholeLink : kEdgeNone;
}

void WidenHyperlinkBrackets(const WCHAR* text, int32_t len, int32_t* marks, int32_t hyperlink)
{
    for (int32_t i = 0; i < len; i++) {
        if (marks[i] != hyperlink) continue;
        int32_t end = i;
        while (end < len && marks[end] == hyperlink) end++;
        if (i > 0 && text[i - 1] == L'[' && end < len && text[end] == L']') {
            marks[i - 1] = hyperlink;
            marks[end] = hyperlink;
            end++;
        }
        i = end;
    }
}
