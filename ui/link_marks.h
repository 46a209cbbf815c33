// Link and heading marks: a run in the note editor is a link only by the
// underline-type byte of its character format. The low nibble is the visible
// underline (1 single, 0 none), the high nibble tells the kinds apart, so
// links stay recognisable when "Links Underlined" is off.
#pragma once
#include <stdint.h>

enum : int32_t {
    HyperlinkMarkUnderlined = 0x11,
    HyperlinkMarkPlain = 0x10,
    NoteLinkMarkUnderlined = 0x51,
    NoteLinkMarkPlain = 0x50,
    TagMarkUnderlined = 0xD1,
    TagMarkPlain = 0xD0,
    // Heading runs; never links.
    HeadingMarkSmall = 0x80,
    HeadingMarkAverage = 0xB0,
    HeadingMarkLarge = 0xA0,
};

// The three link marks in force, computed once at start-up from the
// "Links Underlined" setting (underlined unless told otherwise).
extern int32_t HyperlinkMark;
extern int32_t NoteLinkMark;
extern int32_t TagMark;

void SetLinkMarksUnderlined(int underlined);

// 1 when the value is one of the three link marks in force.
int IsLinkMark(int32_t mark);
// 1 for the three heading values.
int IsHeadingMark(int32_t mark);

// Text colour of a link run: by kind when the editor colours by kind, else blue.
uint32_t LinkMarkColour(int32_t mark, int colourByKind);
