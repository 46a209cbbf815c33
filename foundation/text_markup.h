// TextMarkup: the tag language of every user-visible text. Tags (any letter
// case): <b> <i> <u> bold, italic, underline; <h1>..<h3> headings; <f8>..<f24>
// size in points; colour tags such as <lred> <vlblue> <lgreen> <grey>; <br>
// line break, <sbr> small break, <p> paragraph; <link:target> .. </link>.
// Each style tag has a closing form (</b>, </h2>, </f12>, </lred>, ...).
// Tags it does not know are dropped. "&lt;" "&gt;" "&amp;" stand for < > &;
// Escape writes them so that an inserted text can never become a tag.
// Parsing is pure: the runs are drawn by AIString::DrawMarkupText.
#pragma once
#include "foundation/ai_string.h"

enum TextRunKind {
    kRunText = 0,
    kRunBreak = 1,       // <br>
    kRunSmallBreak = 2,  // <sbr>: a break of half a line
    kRunParagraph = 3,   // <p>: a break followed by a blank line
};

struct TextStyle {
    int bold;
    int italic;
    int underline;
    int heading;      // 0 none, 1..3
    int sizePoints;   // 0: the drawing string's own size
    int hasColour;
    COLORREF colour;
    int link;         // 1 inside <link:..>
};

struct TextRun {
    int kind;
    int start;   // text runs: offset into GetPlainText
    int length;
    TextStyle style;
    int linkStart;   // offset of the link target in GetLinkTargets, -1 outside links
    int linkLength;
};

class TextMarkup {
public:
    enum { kColourCount = 20 };

    TextMarkup();
    ~TextMarkup();
    TextMarkup(const TextMarkup&) = delete;
    TextMarkup& operator=(const TextMarkup&) = delete;

    // Parses markup into runs; returns the run count (-1 when memory ran out).
    int Parse(const WCHAR* markup);
    int GetRunCount() const { return runCount_; }
    const TextRun& GetRun(int index) const { return runs_[index]; }
    // The text of all text runs, entities decoded, tags gone.
    const AIString& GetPlainText() const { return plain_; }
    const AIString& GetLinkTargets() const { return links_; }

    // Appends text with < > & written as entities.
    static AIString& Escape(const WCHAR* text, AIString& out);
    // The plain text of markup (tags dropped, breaks as CR LF).
    static AIString& StripTags(const WCHAR* markup, AIString& out);
    // Colour of a colour tag name such as L"lred"; 0 when unknown.
    static int ColourByName(const WCHAR* name, int length, COLORREF* colour);
    static const WCHAR* ColourName(int index);

private:
    int AddRun(int kind, const TextStyle& style, int start, int length, int linkStart, int linkLength);
    int ApplyTag(const WCHAR* tag, int length, TextStyle& style, int& linkStart, int& linkLength);

    AIString plain_;
    AIString links_;
    TextRun* runs_;
    int runCount_;
    int runCapacity_;
};
