// Finding link runs and effects in mark-up text, without a window.
#include "tests/support/gtest.h"
#include "editor/note_link_scan.h"
#include "editor/note_title_matcher.h"
#include "foundation/ai_string.h"
#include <string>
#include <vector>

namespace {
struct Found {
    int start, end, kind;
    bool operator==(const Found& o) const { return start == o.start && end == o.end && kind == o.kind; }
};
std::ostream& operator<<(std::ostream& out, const Found& f)
{
    return out << "{" << f.start << "," << f.end << "," << f.kind << "}";
}

std::vector<Found> Collect(NoteRunList& list)
{
    std::vector<Found> out;
    for (int i = 0; i < list.count; i++) out.push_back({list.items[i].start, list.items[i].end, list.items[i].kind});
    FreeRunList(list);
    return out;
}

// The text of every run, in the order found.
std::vector<std::string> Texts(const WCHAR* text, const std::vector<Found>& runs)
{
    std::vector<std::string> out;
    for (const Found& f : runs) {
        AIString part;
        part.AssignTextN(text + f.start, f.end - f.start);
        out.push_back(Utf8(part));
    }
    return out;
}

struct Titles {
    TitleMatcher matcher;
    std::vector<uint8_t> blocked;
    int capHit = 0;
    explicit Titles(std::initializer_list<const WCHAR*> titles)
    {
        for (const WCHAR* t : titles) matcher.AddTitle(t, TextLength(t));
    }
    std::vector<std::string> Find(const WCHAR* text, const WCHAR* own = L"", int cap = 1000)
    {
        int len = TextLength(text);
        blocked.assign((size_t)len + 1, 0);
        NoteRunList list;
        InitRunList(list);
        capHit = matcher.FindTitles(text, len, own, blocked.data(), cap, list);
        std::vector<Found> runs = Collect(list);
        std::sort(runs.begin(), runs.end(), [](const Found& a, const Found& b) { return a.start < b.start; });
        return Texts(text, runs);
    }
};
using Strings = std::vector<std::string>;
}  // namespace

TEST(TitleMatching, WholeWordsBlanksOrUnderscoresAnyCase)
{
    Titles t{L"Books_to_read", L"Tavik", L"Rome"};
    EXPECT_EQ(Strings({"Books to read", "tavik", "ROME"}), t.Find(L"See Books to read, tavik and ROME."));
    EXPECT_EQ(Strings({"books_to_read"}), t.Find(L"as stored: books_to_read"));
    // Inside a longer word, or with the blanks doubled or broken by a line, no link.
    EXPECT_EQ(Strings(), t.Find(L"Taviks Romeo xRome Rome2 Rome-based"));
    EXPECT_EQ(Strings(), t.Find(L"Books  to read; Books to\rread"));
    // Sentence punctuation and brackets around a title are not part of it.
    EXPECT_EQ(Strings({"Rome", "Tavik", "Rome", "Tavik"}), t.Find(L"(Rome) Tavik! 'Rome' --Tavik--"));
}

TEST(TitleMatching, LongestFirstOwnTitleHeadingsAndBlocked)
{
    Titles t{L"Books", L"Books_to_read", L"to_read_soon", L"Plan"};
    // The longest title wins the overlap; the shorter takes what is left.
    EXPECT_EQ(Strings({"Books to read", "Books"}), t.Find(L"Books to read soon. Books"));
    EXPECT_EQ(Strings({"to read soon"}), t.Find(L"to read soon"));
    // The note's own title (in either spelling) is no link.
    EXPECT_EQ(Strings({"Books"}), t.Find(L"Plan Books", L"plan"));
    EXPECT_EQ(Strings({"Books", "Books"}), t.Find(L"Books to read Books", L"Books_to_read"));
    // Heading lines are left alone, the line after is not ("#Books" is no heading).
    EXPECT_EQ(Strings({"Plan", "Books"}), t.Find(L"# Plan\r## Books\rPlan\r#Books x"));
}

TEST(TitleMatching, BlockedTextAndTheCap)
{
    Titles t{L"Rome"};
    const WCHAR* text = L"Rome Rome Rome";
    int len = TextLength(text);
    std::vector<uint8_t> blocked((size_t)len + 1, 0);
    blocked[6] = 1;  // inside the second word, as a hyperlink would be
    NoteRunList list;
    InitRunList(list);
    EXPECT_EQ(0, t.matcher.FindTitles(text, len, L"", blocked.data(), 1000, list));
    EXPECT_EQ(std::vector<Found>({{0, 4, RunNoteLink}, {10, 14, RunNoteLink}}), Collect(list));
    EXPECT_EQ(1, blocked[0]);  // the runs found are blocked for what comes after

    AIString many;
    for (int i = 0; i < 1001; i++) many.AppendText(L"Rome ");
    EXPECT_EQ(1000u, t.Find(many.GetText(), L"", 1000).size());
    EXPECT_EQ(1, t.capHit);
    many.DeleteRange(0, 5);
    EXPECT_EQ(1000u, t.Find(many.GetText(), L"", 1000).size());
    EXPECT_EQ(0, t.capHit);
}

TEST(TitleMatching, IndexLookUpAndLimits)
{
    Titles t{L"A_b", L"This_title_is_exactly_thirty_c", L"This_title_is_longer_than_thirty_chars"};
    EXPECT_TRUE(t.matcher.IsTitle(L"a B", 3));
    EXPECT_TRUE(t.matcher.IsTitle(L"a_b", 3));
    EXPECT_FALSE(t.matcher.IsTitle(L"a", 1));
    EXPECT_EQ(2, t.matcher.GetCount());  // a title over 30 characters cannot exist
    EXPECT_EQ(Strings({"This title is exactly thirty c"}), t.Find(L"x This title is exactly thirty c y"));
}

TEST(HyperlinkLabels, RunIsTheLabelInsideItsBrackets)
{
    const WCHAR* text = L"[Home] and [home] and Home [Home]";
    NoteRunList list;
    InitRunList(list);
    FindHyperlinkLabels(text, TextLength(text), L"Home", 4, list);
    EXPECT_EQ(std::vector<Found>({{1, 5, RunHyperlink}, {28, 32, RunHyperlink}}), Collect(list));
    InitRunList(list);
    FindHyperlinkLabels(text, TextLength(text), L"Away", 4, list);
    EXPECT_EQ(0, list.count);
    FindHyperlinkLabels(L"[a:b]", 5, L"a:b", 3, list);
    EXPECT_EQ(std::vector<Found>({{1, 4, RunHyperlink}}), Collect(list));
}

TEST(Addresses, KnownStartsWithoutTheSentencesPunctuation)
{
    const WCHAR* text = L"Go to www.example.org. Or http://a.b/c?d=1, (https://x.org/y) mailto:me@x.org\r"
                        L"xhttp://no.example.org www.ab ftp://not.known.org";
    NoteRunList list;
    InitRunList(list);
    FindAddresses(text, TextLength(text), list);
    EXPECT_EQ(Strings({"www.example.org", "http://a.b/c?d=1", "https://x.org/y", "mailto:me@x.org"}),
              Texts(text, Collect(list)));
    // A bracket that the address opened stays with it.
    const WCHAR* wiki = L"http://w.org/a_(b) end";
    InitRunList(list);
    FindAddresses(wiki, TextLength(wiki), list);
    EXPECT_EQ(Strings({"http://w.org/a_(b)"}), Texts(wiki, Collect(list)));
}

TEST(Tags, AfterABlankOrALineStart)
{
    const WCHAR* text = L"@work and @home, mail a@b.c\r@next x@y";
    NoteRunList list;
    InitRunList(list);
    FindTags(text, TextLength(text), list);
    EXPECT_EQ(Strings({"@work", "@home", "@next"}), Texts(text, Collect(list)));
}

TEST(InlineEffects, MarkersOnOneLine)
{
    const WCHAR* text = L"**bold** and //it al// and --gone--\r"
                        L"http://site.org//x a -- b -- c **open\r"
                        L"close** word**glued** 2**3**4 ****";
    NoteRunList list;
    InitRunList(list);
    FindInlineEffects(text, TextLength(text), list);
    std::vector<Found> runs = Collect(list);
    EXPECT_EQ(Strings({"bold", "it al", "gone"}), Texts(text, runs));
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ(RunBold, runs[0].kind);
    EXPECT_EQ(RunItalic, runs[1].kind);
    EXPECT_EQ(RunStrike, runs[2].kind);
}

TEST(HeadingLines, OneToThreeHashesAndABlank)
{
    EXPECT_TRUE(IsHeadingLineAt(L"# a", 3, 0));
    EXPECT_TRUE(IsHeadingLineAt(L"x\r### a", 7, 2));
    EXPECT_FALSE(IsHeadingLineAt(L"#### a", 6, 0));
    EXPECT_FALSE(IsHeadingLineAt(L"#a", 2, 0));
    EXPECT_FALSE(IsHeadingLineAt(L"#", 1, 0));
}
