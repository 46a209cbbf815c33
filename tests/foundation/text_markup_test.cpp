#include "tests/support/gtest.h"
#include "foundation/text_markup.h"

namespace {

// The runs of a parse as a readable string: text runs in brackets with their
// style letters, breaks as "/" (br), "~" (sbr) and "P".
std::string Runs(const WCHAR* markup)
{
    TextMarkup m;
    m.Parse(markup);
    std::string out;
    const WCHAR* plain = m.GetPlainText().GetText();
    for (int i = 0; i < m.GetRunCount(); i++) {
        const TextRun& r = m.GetRun(i);
        if (r.kind == kRunBreak) { out += "/"; continue; }
        if (r.kind == kRunSmallBreak) { out += "~"; continue; }
        if (r.kind == kRunParagraph) { out += "P"; continue; }
        AIString text;
        text.AssignTextN(plain + r.start, r.length);
        out += "[" + Utf8(text);
        std::string flags;
        if (r.style.bold) flags += "b";
        if (r.style.italic) flags += "i";
        if (r.style.underline) flags += "u";
        if (r.style.heading) flags += "h" + std::to_string(r.style.heading);
        if (r.style.sizePoints) flags += "f" + std::to_string(r.style.sizePoints);
        if (r.style.hasColour) flags += "c";
        if (r.style.link) flags += "L";
        if (!flags.empty()) out += " " + flags;
        out += "]";
    }
    return out;
}

}  // namespace

TEST(TextMarkup, KnownTagsStyleTheTextInAnyLetterCase)
{
    EXPECT_EQ("[a][b b][c bi][d i]", Runs(L"a<b>b<I>c</B>d</i>"));
    EXPECT_EQ("[x h2]~[y u]/[z]P[w]", Runs(L"<H2>x</h2><SBR><u>y</U><Br>z<p>w"));
    EXPECT_EQ("[s f8][m f24][n]", Runs(L"<f8>s<F24>m</f24>n"));
    EXPECT_EQ("[r c][v c][g c][n]", Runs(L"<lred>r</lred><VLBlue>v<lgreen>g</lgreen>n"));
    EXPECT_EQ("[one]/[two]", Runs(L"one\r\ntwo"));

    TextMarkup m;
    m.Parse(L"<lred>r</lred><grey>g");
    COLORREF lred = 0, grey = 0;
    ASSERT_EQ(1, TextMarkup::ColourByName(L"lred", 4, &lred));
    ASSERT_EQ(1, TextMarkup::ColourByName(L"GREY", 4, &grey));
    EXPECT_EQ(lred, m.GetRun(0).style.colour);
    EXPECT_EQ(grey, m.GetRun(1).style.colour);
    // Twenty distinct colours, each reachable by its name.
    for (int i = 0; i < TextMarkup::kColourCount; i++) {
        COLORREF a, b;
        const WCHAR* name = TextMarkup::ColourName(i);
        ASSERT_EQ(1, TextMarkup::ColourByName(name, TextLength(name), &a));
        for (int k = 0; k < i; k++) {
            TextMarkup::ColourByName(TextMarkup::ColourName(k), TextLength(TextMarkup::ColourName(k)), &b);
            EXPECT_NE(a, b) << i << " " << k;
        }
    }
}

TEST(TextMarkup, UnknownTagsAreDroppedAndLoneBracketsAreText)
{
    EXPECT_EQ("[ab]", Runs(L"a<blink>b</foo>"));
    EXPECT_EQ("[x]", Runs(L"<f7>x<f25></h4><h>"));  // out of range sizes and headings
    EXPECT_EQ("[1 < 2]", Runs(L"1 < 2"));
    EXPECT_EQ("[a <][c b]", Runs(L"a <<b>c"));  // the first "<" has no ">" before the next "<"
    EXPECT_EQ("[x >]", Runs(L"x >"));
    EXPECT_EQ("", Runs(L""));
    EXPECT_EQ("[ok]", Runs(L"<>ok<//>"));
}

TEST(TextMarkup, LinksCarryTheirTargets)
{
    TextMarkup m;
    m.Parse(L"see <link:http://x.org/?a=1&amp;b=2>here</link> now");
    ASSERT_EQ(3, m.GetRunCount());
    const TextRun& link = m.GetRun(1);
    EXPECT_EQ(1, link.style.link);
    AIString target;
    target.AssignTextN(m.GetLinkTargets().GetText() + link.linkStart, link.linkLength);
    EXPECT_EQ("http://x.org/?a=1&b=2", Utf8(target));
    EXPECT_EQ(-1, m.GetRun(2).linkStart);
    EXPECT_EQ("[see ][here uL][ now]", Runs(L"see <link:t><u>here</u></link> now"));
}

TEST(TextMarkup, EscapedTextNeverBecomesATag)
{
    const WCHAR* titles[] = {L"<b>not bold</b>", L"a & b", L"&lt; stays", L"x<br>y", L"<link:evil>", L"&amp;&"};
    for (const WCHAR* title : titles) {
        AIString markup(L"<i>");
        TextMarkup::Escape(title, markup);
        markup.AppendText(L"</i>");
        TextMarkup m;
        m.Parse(markup.GetText());
        ASSERT_EQ(1, m.GetRunCount()) << Utf8(title);
        EXPECT_EQ(Utf8(title), Utf8(m.GetPlainText()));
        EXPECT_EQ(1, m.GetRun(0).style.italic);
    }
    AIString escaped;
    TextMarkup::Escape(L"a<b>&c", escaped);
    EXPECT_EQ("a&lt;b&gt;&amp;c", Utf8(escaped));

    AIString plain;
    TextMarkup::StripTags(L"<h1>Title</h1><br>body &amp; <b>more</b><p>end", plain);
    EXPECT_EQ("Title\r\nbody & more\r\n\r\nend", Utf8(plain));
}
