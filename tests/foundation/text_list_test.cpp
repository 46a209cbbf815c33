#include "tests/support/gtest.h"
#include "foundation/ai_string_list.h"
#include "foundation/result_flag.h"

namespace {

// Items of a list as one readable string: "a|b|c".
std::string Items(const AIStringList& list)
{
    std::string out;
    AIString item;
    for (int i = 0; i < list.GetCount(); i++) {
        if (i) out += "|";
        list.GetItemTextMode(i, item, 1);
        out += Utf8(item);
    }
    return out;
}

}  // namespace

TEST(AIStringList, SplitsAtSeparatorsOutsideBracketsAndHalfPairs)
{
    AIStringList list;
    list.AssignJoined(L"a\u00A4[b\u00A4[c\u00A4]d\u00A4]e\u00A4\u00BDf\u00A4g\u00BD\u00A4h");
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ("a|[b\u00A4[c\u00A4]d\u00A4]e|\u00BDf\u00A4g\u00BD|h", Items(list));
    // The joined form always ends each item with the separator.
    EXPECT_EQ(L'\u00A4', list.GetJoined().CharAt(list.GetJoined().GetLength() - 1));

    list.AssignJoined(L"x\u00A4\u00A4y\u00A4");  // an empty item in the middle is an item
    EXPECT_EQ("x||y", Items(list));
    list.AssignJoined(L"");
    EXPECT_EQ(0, list.GetCount());
    list.AssignJoined(L"]\u00A4a]\u00A4b");  // a closing bracket with none open is text
    EXPECT_EQ("]|a]|b", Items(list));
    // ... and does not count below zero: the pair after it still holds its separator.
    list.AssignJoined(L"a]\u00A4[b\u00A4c]\u00A4d\u00A4");
    EXPECT_EQ("a]|[b\u00A4c]|d", Items(list));
    list.AssignJoined(L"]]\u00A4[x\u00A4[y\u00A4z]]\u00A4");
    EXPECT_EQ("]]|[x\u00A4[y\u00A4z]]", Items(list));
}

TEST(AIStringList, UnclosedOpenerDoesNotSwallowTheRest)
{
    AIStringList list;
    list.AssignJoined(L"one\u00A4t[wo\u00A4three\u00A4[x\u00A4y]\u00A4f\u00BDour\u00A4five\u00A4");
    EXPECT_EQ("one|t[wo|three|[x\u00A4y]|f\u00BDour|five", Items(list));

    // A hostile text of many unclosed brackets and an odd number of U+00BD.
    AIString hostile;
    for (int i = 0; i < 200000; i++) hostile.AppendChar(i % 3 ? L'[' : L'\u00BD');
    hostile.AppendText(L"\u00A4ab\u00A4c");
    list.AssignJoined(hostile.GetText());
    ASSERT_EQ(3, list.GetCount());
    EXPECT_EQ(200000, list.ItemLength(0));
    EXPECT_EQ(2, list.ItemLength(1));
    EXPECT_EQ(1, list.ItemLength(2));
}

TEST(AIStringList, FindAddRemoveAndReplaceKeepOffsetsRight)
{
    AIStringList list;
    EXPECT_EQ(0, list.AddString(L"Alpha"));
    EXPECT_EQ(1, list.AddString(L"beta"));
    EXPECT_EQ(2, list.AddString(L"[g\u00A4h]"));
    EXPECT_EQ(3, list.AddString(L"delta"));

    EXPECT_EQ(0, list.FindItemString(L"ALPHA"));
    EXPECT_EQ(1, ResultFlag);
    EXPECT_EQ(-1, list.FindItemExact(L"ALPHA"));
    EXPECT_EQ(0, ResultFlag);
    EXPECT_EQ(0, list.FindItemExact(L"Alpha"));
    EXPECT_EQ(-1, list.FindItemString(L"alp"));       // whole items only
    EXPECT_EQ(0, list.FindItemString(L"LPH", 0));     // or containing
    EXPECT_EQ(2, list.FindItemExact(L"[g\u00A4h]"));

    EXPECT_EQ(1, list.RemoveItem(1));
    EXPECT_EQ("Alpha|[g\u00A4h]|delta", Items(list));
    EXPECT_EQ(1, list.SetItemInt(0, -42));
    EXPECT_EQ(1, list.SetItemText(2, L"a much longer last item"));
    EXPECT_EQ("-42|[g\u00A4h]|a much longer last item", Items(list));
    EXPECT_EQ(0, list.RemoveItem(3));
    EXPECT_EQ(0, list.RemoveItem(-1));

    // The joined text parses back into the same items.
    AIStringList again;
    again.AssignJoined(list.GetJoined().GetText());
    EXPECT_EQ(Items(list), Items(again));

    AIStringList copy;
    copy.CopyFrom(list);
    copy.RemoveItem(0);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ("[g\u00A4h]|a much longer last item", Items(copy));

    AIString item;
    list.GetItemTextMode(7, item, 1);
    EXPECT_TRUE(item.IsEmpty());
    list.SetItemText(1, L"  padded  ");
    list.GetItemTextMode(1, item, 0);
    EXPECT_TRUE(item.EqualsText(L"padded"));
}

TEST(AIStringList, CursorWalksAllItemsThenResets)
{
    AIStringList list;
    list.AssignJoined(L"a\u00A4b\u00A4c");
    AIString item;
    std::string seen;
    while (list.HasNext()) {
        list.GetNext(item);
        seen += Utf8(item);
    }
    EXPECT_EQ("abc", seen);
    // HasNext answered 0 and reset the cursor: the next walk starts again.
    ASSERT_EQ(1, list.HasNext());
    EXPECT_EQ(0, list.GetNext(item));
    EXPECT_EQ(1, list.GetNext(item));
    list.RemoveItem(0);  // removing before the cursor keeps it on the same item
    EXPECT_EQ(1, list.GetNext(item));
    EXPECT_TRUE(item.EqualsText(L"c"));
    list.ResetCursor();
    EXPECT_EQ(0, list.GetNext(item));
}
