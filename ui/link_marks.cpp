#include "ui/link_marks.h"
#include "foundation/win.h"

int32_t HyperlinkMark = HyperlinkMarkUnderlined;
int32_t NoteLinkMark = NoteLinkMarkUnderlined;
int32_t TagMark = TagMarkUnderlined;

void SetLinkMarksUnderlined(int underlined)
{
    HyperlinkMark = underlined ? HyperlinkMarkUnderlined : HyperlinkMarkPlain;
    NoteLinkMark = underlined ? NoteLinkMarkUnderlined : NoteLinkMarkPlain;
    TagMark = underlined ? TagMarkUnderlined : TagMarkPlain;
}

int IsLinkMark(int32_t mark)
{
    return mark == HyperlinkMark || mark == NoteLinkMark || mark == TagMark;
}

int IsHeadingMark(int32_t mark)
{
    return mark == HeadingMarkSmall || mark == HeadingMarkAverage || mark == HeadingMarkLarge;
}

uint32_t LinkMarkColour(int32_t mark, int colourByKind)
{
    if (!colourByKind) return RGB(0, 0, 255);
    if (mark == NoteLinkMark) return RGB(220, 0, 0);
    if (mark == TagMark) return RGB(0, 150, 0);
    return RGB(0, 0, 255);
}
