#include "tests/support/gtest.h"
#include "dialogs/message_catalogue.h"

namespace {

struct Composer {
    int32_t flags[kDontShowFlagCount] = {};
    MessageCatalogueState state = {};
    MessageBoxTexts out;
    AIString inserts[3];

    MessageBoxTexts& Compose(int32_t id, int passive = 1)
    {
        MessageCatalogueInput in = {id, {&inserts[0], &inserts[1], &inserts[2]}, passive, flags};
        out.showFlag = 1;
        MessageCatalogue::Compose(in, &state, &out);
        return out;
    }
};

}  // namespace

TEST(MessageCatalogue, EveryIdHasItsNumberKindAndCaption)
{
    struct Row { int32_t id; const WCHAR* number; int32_t kindCode; const WCHAR* kind; const WCHAR* caption; int flag; };
    const Row rows[] = {
        {1, L"(001)", 1002, L"Warning", L"Cannot delete", 0},
        {3, L"(003)", 1003, L"Error", L"Datafile corrupt", 2},
        {31, L"(007)", 1003, L"Error", L"File not found", 6},
        {9, L"(012)", 1002, L"Warning", L"Cannot use \x00A4 or \x00B1", 11},
        {38, L"(021)", 1003, L"Error", L"File not valid", 20},
        {44, L"(36)", 1003, L"Error", L"File size too large", 35},
        {30, L"(047)", 1002, L"Warning", L"Share conflict", 46},
        {48, L" ", 1004, L"Info", L"Print Complete", 49},
        {50, L" ", 1001, L"Info", L"Removable storage", 51},
        {54, L" ", 1004, L"Info", L"Automatic sync complete", 55},
    };
    for (const Row& r : rows) {
        Composer c;
        MessageBoxTexts& t = c.Compose(r.id);
        EXPECT_TRUE(t.number.EqualsText(r.number)) << r.id << " " << Utf8(t.number);
        EXPECT_EQ(r.kindCode, t.kindCode) << r.id;
        EXPECT_TRUE(t.kind.EqualsText(r.kind)) << r.id;
        EXPECT_TRUE(t.caption.EqualsText(r.caption)) << r.id;
        EXPECT_EQ(r.flag, MessageCatalogue::FlagSlotOf(r.id)) << r.id;
    }
}

TEST(MessageCatalogue, EveryIdComposesAndNumbersAreUnique)
{
    AIString seen;
    int helpPages = 0;
    for (int32_t id = 1; id <= kMessageCount; id++) {
        Composer c;
        MessageBoxTexts& t = c.Compose(id);
        EXPECT_FALSE(t.caption.EqualsText(L"Ready")) << id;
        EXPECT_FALSE(t.text.EqualsText(L"No message")) << id;
        EXPECT_GT(t.text.GetLength(), 20) << id;
        if (t.number.EqualsText(L" ")) continue;
        EXPECT_LT(seen.FindTextCase(t.number.GetText()), 0) << "number used twice: " << Utf8(t.number);
        seen.AppendString(t.number);
        if (id >= 55 && id <= 60) { helpPages++; EXPECT_EQ(1, t.helpFlag); EXPECT_EQ(3000, t.displayTime); EXPECT_EQ(-1, MessageCatalogue::FlagSlotOf(id)); }
    }
    EXPECT_EQ(6, helpPages);
    // Flag slots 47 and 48 are never used; every other slot is used once.
    int uses[kDontShowFlagCount] = {};
    for (int32_t id = 1; id <= 54; id++) uses[MessageCatalogue::FlagSlotOf(id)]++;
    for (int k = 0; k < kDontShowFlagCount; k++) EXPECT_EQ((k == 47 || k == 48) ? 0 : 1, uses[k]) << k;
}

TEST(MessageCatalogue, InsertsAreCutTo25AndTheWideInsertSplitsAt35)
{
    Composer c;
    c.inserts[0].AssignText(L"123456789012345678901234567890");  // 30 characters
    EXPECT_TRUE(c.Compose(6).text.StartsWith(L"The title '1234567890123456789012345' already"));

    c.inserts[0].AssignText(L"a.txt");
    AIString path;
    for (int i = 0; i < 80; i++) path.AppendChar((WCHAR)(L'A' + i % 26));
    c.inserts[1] = path;
    AIString expected(L"The file 'a.txt' at\r\n'");
    expected.AppendTextN(path.GetText(), 35).AppendText(L"\r\n").AppendTextN(path.GetText() + 35, 35);
    expected.AppendText(L"'\r\n is either missing or corrupt.");
    EXPECT_TRUE(c.Compose(31).text.EqualsString(expected)) << Utf8(c.out.text);

    c.inserts[1].AssignTextN(path.GetText(), 35);
    EXPECT_LT(c.Compose(31).text.FindTextCase(L"\r\n'\r\n"), 0);
    EXPECT_EQ(c.out.text.FindTextCase(L"\r\n", 20), c.out.text.FindTextCase(L"'\r\n is") + 1);
}

TEST(MessageCatalogue, EachPlaceholderTakesItsOwnInsert)
{
    Composer c;
    c.inserts[0].AssignText(L"notes.tavik");
    c.inserts[1].AssignText(L"Beta");
    c.inserts[2].AssignText(L"alpha");
    AIString text = c.Compose(3).text;
    EXPECT_GE(text.FindTextCase(L"'notes.tavik'"), 0) << Utf8(text);
    EXPECT_GE(text.FindTextCase(L"the title 'Beta' is ordered before 'alpha'"), 0) << Utf8(text);
    text = c.Compose(2).text;
    EXPECT_GE(text.FindTextCase(L"the title 'notes.tavik' is already linking to 'Beta'"), 0) << Utf8(text);
}

TEST(MessageCatalogue, FlaggedMessageGoesToStatusLineOnlyInPassiveMode)
{
    Composer c;
    c.flags[0] = 1;
    MessageBoxTexts& t = c.Compose(1, 1);
    EXPECT_EQ(1, t.routedToStatus);
    EXPECT_EQ(0, t.showFlag);
    EXPECT_TRUE(t.statusLine.EqualsText(L"Warning - Cannot delete"));

    MessageBoxTexts& again = c.Compose(1, 0);
    EXPECT_EQ(0, again.routedToStatus);
    EXPECT_EQ(1, again.showFlag);
    EXPECT_EQ(1, again.checkValue);
    EXPECT_TRUE(again.text.StartsWith(L"You cannot delete all space"));
}

TEST(MessageCatalogue, TwoPageHelpAlternatesAndRestartsAfterAnotherId)
{
    Composer c;
    EXPECT_TRUE(c.Compose(56).caption.EqualsText(L"Quick Search Help (1 of 2)"));
    EXPECT_TRUE(c.Compose(56).caption.EqualsText(L"Quick Search Help (2 of 2)"));
    EXPECT_TRUE(c.Compose(56).caption.EqualsText(L"Quick Search Help (1 of 2)"));
    Composer d;
    EXPECT_TRUE(d.Compose(56).caption.EqualsText(L"Quick Search Help (1 of 2)"));
    d.Compose(1);
    EXPECT_TRUE(d.Compose(56).caption.EqualsText(L"Quick Search Help (1 of 2)"));
    EXPECT_TRUE(d.Compose(57).number.EqualsText(L"(102)"));
}

TEST(MessageCatalogue, UnknownIdKeepsDefaultsAndEarlierFields)
{
    Composer c;
    c.Compose(3);
    MessageBoxTexts& t = c.Compose(kMessageCount + 1);
    EXPECT_TRUE(t.caption.EqualsText(L"Ready"));
    EXPECT_TRUE(t.kind.EqualsText(L"Status: "));
    EXPECT_TRUE(t.text.EqualsText(L"No message"));
    EXPECT_TRUE(t.number.EqualsText(L"(003)"));
    EXPECT_EQ(1003, t.kindCode);
}

TEST(MessageCatalogue, InsertsAreEscapedAfterTheirCut)
{
    Composer c;
    // 25 visible characters are kept; the escapes do not count.
    c.inserts[0].AssignText(L"<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<");
    c.Compose(6);
    AIString expected(L"The title '");
    for (int i = 0; i < 25; i++) expected.AppendText(L"&lt;");
    expected.AppendText(L"' already exists.");
    EXPECT_TRUE(c.out.text.StartsWith(expected.GetText())) << Utf8(c.out.text);

    c.inserts[0].AssignText(L"a&b");
    c.inserts[1].AssignText(L"C:\\<dir>\\");
    EXPECT_TRUE(c.Compose(31).text.StartsWith(L"The file 'a&amp;b' at\r\n'C:\\&lt;dir&gt;\\'")) << Utf8(c.out.text);
}

TEST(MessageCatalogue, CutNoteMessageSaysWhereTheWholeTextWasKept)
{
    Composer c;
    c.inserts[0].AssignText(L"1234");
    EXPECT_TRUE(c.Compose(46).text.EndsWithNoCase(L"You have lost 1234 characters from this note."));
    c.inserts[1].AssignText(L"C:\\notes\\Data_notes\\long\\Big<note>_20261207.txt");
    AIString& text = c.Compose(46).text;
    EXPECT_TRUE(text.EndsWithNoCase(L"\r\nThe whole note was kept in:\r\nC:\\notes\\Data_notes\\long\\Big&lt;note&gt;_20261207.txt"))
        << Utf8(text);
    // The path is its own paragraph (the sixth), whole even when long, for
    // the box to show on one line.
    EXPECT_EQ(5, c.out.pathParagraph);
    AIString deep(L"C:\\");
    for (int i = 0; i < 40; i++) deep.AppendText(L"folder\\");
    deep.AppendText(L"Big_20261207.txt");
    c.inserts[1].Copy(deep);
    EXPECT_TRUE(c.Compose(46).text.EndsWithNoCase(deep.GetText()));
    // Without a copy there is no path, and other messages have none.
    c.inserts[1].Clear();
    EXPECT_EQ(-1, c.Compose(46).pathParagraph);
    c.inserts[1].AssignText(L"C:\\x");
    EXPECT_EQ(-1, c.Compose(31).pathParagraph);
    EXPECT_EQ(-1, c.Compose(56).pathParagraph);
}
