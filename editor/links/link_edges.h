// Backspace and Delete at the edges of links: the marks around the caret
// decide whether the key acts, is refused, or deletes a whole hyperlink.
// ClassifyEdge is pure; LinkCaretState is the one record every link
// operation of the editor shares (one UI thread).
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// The outcome of classifying a deletion (EdgeState).
enum EdgeCode : int32_t {
    kEdgeNone = 0,
    kEdgeInsideLink = 1,        // refused: inside a hyperlink, or its last character
    kEdgeJoinsLinks = 2,        // refused: the blank between two hyperlinks
    kEdgePartialLink = 3,       // refused: a selection that cuts a hyperlink
    kEdgeNoteLinkInside = 101,  // note link: its run becomes plain text, the key acts
    kEdgeNoteLinkDelete = 102,
    kEdgeNoteLinkEnd = 103,
    kEdgeNoteLinkSelection = 110,
    kEdgeBeforeHeading = 210,   // the key acts; the heading's format is made again
    kEdgeWholeLink = 999,       // the selection ends with a whole hyperlink: it is deleted
};

enum EdgeKey : int32_t { kEdgeBackspace = 1, kEdgeDelete = 0 };

// The marks the classification reads (0 for plain text).
struct EdgeMarks {
    int32_t deleted;  // the character the key deletes (or the one before the caret)
    int32_t left;     // its left neighbour
    int32_t right;    // its right neighbour
};

// The marks of the kinds in force, so that the rules need no globals.
struct EdgeKinds {
    int32_t hyperlink;
    int32_t noteLink;
};

// Classifies one Backspace or Delete. hasSelection: the selection is not
// empty; rangeStart: where it (or the caret) starts; wholeLinkAtEnd: reading
// the selection found a hyperlink run still open at its end.
EdgeCode ClassifyEdge(EdgeKey key, int hasSelection, const EdgeMarks& marks, int32_t rangeStart,
                      int wholeLinkAtEnd, int isHeadingRight, const EdgeKinds& kinds);

// Where the mark of each character comes from when the editor is read: the
// editor's runs, with the brackets of a "[label]" hyperlink counted as the
// hyperlink's (the brackets are part of what the user sees as the link).
// marks[i] is the mark of text[i]; hyperlink is the hyperlink mark in force.
void WidenHyperlinkBrackets(const WCHAR* text, int32_t len, int32_t* marks, int32_t hyperlink);

// The one record of the link operations.
struct LinkCaretState {
    int32_t workStart, workEnd;          // working range
    int32_t savedStart, savedEnd;        // the selection when the key arrived
    int32_t caretStart;                  // where the caret goes back to
    EdgeMarks marks;
    int32_t currentMark;
    int32_t key;                         // VK_BACK or VK_DELETE
    int32_t direction;                   // -1 Backspace, +1 Delete
    int32_t edge;                        // EdgeCode
    int32_t mouseX, mouseY;              // x -1: the caret chose the link
    int32_t insideLink;
    HWND editor;
    AIString linkText;                   // the link's text, or its description
};

extern LinkCaretState g_linkCaret;
