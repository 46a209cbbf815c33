#include "tests/support/gtest.h"
#include "foundation/ai_string_table.h"
#include "foundation/ai_file.h"
#include "foundation/result_flag.h"
#include "tests/foundation/text_test_files.h"

namespace {

std::string SortedItems(const AIStringTable& table)
{
    std::string out;
    AIString item;
    for (int i = 0; i < table.GetCount(); i++) {
        if (i) out += "|";
        table.GetItemAtSorted(i, item);
        out += Utf8(item);
    }
    return out;
}

}  // namespace

TEST(AIStringTable, AssignStringTurnsCommasIntoItemsAndDropsControlCharacters)
{
    AIStringTable table;
    // Blanks after a comma stay until a colon was seen; TAB LF VT vanish, CR stays.
    table.AssignString(L" x, y,b:2,\t a:1,   c:3\n,d:4\v4,,e: 5 ,\r");
    EXPECT_EQ("\r| x| y|a:1|b:2|c:3|d:44|e: 5 ", SortedItems(table));
    // Every comma becomes the separator, even inside brackets; the brackets then keep them.
    table.AssignString(L"k:[1,2],z:0");
    EXPECT_EQ("k:[1\u00A42]|z:0", SortedItems(table));
    EXPECT_EQ(2, table.GetCount());
}

TEST(AIStringTable, LooksUpExactlyAndIgnoringCase)
{
    AIStringTable table;
    table.AssignString(L"Banana:1,apple:2,Cherry:3,APPLE:4,date:5");
    EXPECT_EQ("apple:2|APPLE:4|Banana:1|Cherry:3|date:5", SortedItems(table));

    EXPECT_EQ(1, table.IndexOfKeyStringExact(L"APPLE"));
    EXPECT_EQ(1, ResultFlag);
    EXPECT_EQ(0, table.IndexOfKeyStringExact(L"apple"));
    EXPECT_EQ(-1, table.IndexOfKeyStringExact(L"Apple"));
    EXPECT_EQ(0, ResultFlag);
    EXPECT_EQ(0, table.IndexOfKeyString(L"Apple"));
    EXPECT_EQ(2, table.FindKey(L"BANANA"));
    EXPECT_EQ(-1, table.FindKey(L"ban"));     // a prefix is not the key
    EXPECT_EQ(-1, table.FindKey(L"banana:1"));
    EXPECT_EQ(0, ResultFlag);

    AIString text;
    table.GetKeyAt(3, text);
    EXPECT_TRUE(text.EqualsText(L"Cherry"));
    table.GetValueAt(3, text);
    EXPECT_TRUE(text.EqualsText(L"3"));
    EXPECT_EQ(0, table.GetValueOfKeyString(L"fig", text));
    EXPECT_EQ(0, ResultFlag);
    table.GetValueOfKeyString(L"DATE", text);
    EXPECT_TRUE(text.EqualsText(L"5"));

    AIStringTable strict(1);
    strict.AssignString(L"b:1,B:2,a:3");
    EXPECT_EQ("B:2|a:3|b:1", SortedItems(strict));
    EXPECT_EQ(-1, strict.FindKey(L"A"));
    EXPECT_EQ(1, strict.IndexOfKeyString(L"A"));
    EXPECT_EQ(2, strict.FindKey(L"b"));
}

TEST(AIStringTable, ValuesKeepTheirColonsAndEditsKeepTheIndexSorted)
{
    AIStringTable table;
    EXPECT_EQ(0, table.AddItemString(L"m", L"rel:\\images\\m.png"));
    EXPECT_EQ(0, table.AddItemString(L"c", L"x"));
    EXPECT_EQ(2, table.AddItemString(L"t", L"y"));
    EXPECT_EQ(2, table.AddItemString(L"M", L"second"));  // after the equal key added earlier
    EXPECT_EQ("c:x|m:rel:\\images\\m.png|M:second|t:y", SortedItems(table));
    AIString value;
    table.GetValueOfKeyString(L"m", value);
    EXPECT_TRUE(value.EqualsText(L"rel:\\images\\m.png"));

    EXPECT_EQ(3, table.SetKeyValueString(L"T", L"replaced"));
    EXPECT_EQ(0, table.SetKeyValueString(L"a", L"new"));
    EXPECT_EQ("a:new|c:x|m:rel:\\images\\m.png|M:second|T:replaced", SortedItems(table));

    EXPECT_EQ(1, table.RemoveKeyString(L"C"));
    EXPECT_EQ(0, table.RemoveKeyString(L"c"));
    EXPECT_EQ("a:new|m:rel:\\images\\m.png|M:second|T:replaced", SortedItems(table));
    EXPECT_EQ(1, table.IndexOfKeyStringExact(L"m"));
    EXPECT_EQ(4, table.GetCount());

    std::string walked;
    AIString item;
    while (table.HasNext()) {
        table.Next(item);
        walked += Utf8(item) + ";";
    }
    EXPECT_EQ("a:new;m:rel:\\images\\m.png;M:second;T:replaced;", walked);

    table.Clear();
    EXPECT_EQ(0, table.GetCount());
    EXPECT_EQ(-1, table.FindKey(L"a"));
}

TEST(AIStringTable, SavesAndLoadsWithByteOrderMarkAndTrailingSeparator)
{
    TestFolder folder(L"table");
    AIString path = folder.File(L"cache.txt");

    AIStringTable table;
    table.AssignString(L"zeta:1,alpha:rel:\\images\\a b.png,M\u00FCller:3");
    ASSERT_EQ(1, table.SaveToFile(path.GetText()));

    std::string bytes = ReadBytes(path.GetText());
    std::string expected("\xFF\xFE", 2);
    const WCHAR* joined = L"zeta:1\u00A4alpha:rel:\\images\\a b.png\u00A4M\u00FCller:3\u00A4";
    expected.append((const char*)joined, (size_t)TextLength(joined) * 2);
    EXPECT_EQ(expected, bytes);
    EXPECT_FALSE(AIFile::Exists(folder.File(L"cache.txt.tmp").GetText()));

    AIStringTable loaded;
    EXPECT_EQ(1, loaded.LoadFromFile(path.GetText()));
    EXPECT_EQ(1, ResultFlag);
    EXPECT_EQ(SortedItems(table), SortedItems(loaded));
    EXPECT_EQ(1, loaded.FindKey(L"m\u00FCller"));

    loaded.SetKeyValueString(L"beta", L"2");
    EXPECT_EQ(1, loaded.SaveIfNamed());
    AIStringTable reread;
    reread.LoadFromFile(path.GetText());
    EXPECT_EQ(4, reread.GetCount());

    // A missing file: 0, the table stays, and the name is kept for SaveIfNamed.
    AIStringTable fresh;
    fresh.AssignString(L"k:v");
    AIString missing = folder.File(L"later.txt");
    EXPECT_EQ(0, fresh.LoadFromFile(missing.GetText()));
    EXPECT_EQ(0, ResultFlag);
    EXPECT_EQ(1, fresh.GetCount());
    EXPECT_EQ(1, fresh.SaveIfNamed());
    EXPECT_TRUE(AIFile::Exists(missing.GetText()));

    AIStringTable unnamed;
    EXPECT_EQ(0, unnamed.SaveIfNamed());
}

TEST(AIStringTable, LargeTableBuiltInBulkFindsEveryKey)
{
    const int kCount = 20000;
    AIStringTable table;
    AIString key, value;
    for (int i = 0; i < kCount; i++) {
        // A scrambled order so the index really has to sort.
        int n = (int)(((int64_t)i * 7919) % kCount);
        key.AssignText(L"Note ").AppendInt(n);
        value.AssignInt(n * 3);
        ASSERT_EQ(i, table.AddItemString(key.GetText(), value.GetText(), 0));
    }
    EXPECT_EQ(1, table.SortIndex());
    EXPECT_EQ(kCount, table.GetCount());
    AIString previous, current;
    for (int i = 0; i < kCount; i++) {
        table.GetKeyAt(i, current);
        if (i) {
            ASSERT_LE(CompareTextNoCase(previous.GetText(), current.GetText()), 0) << i;
        }
        previous.Copy(current);
    }
    for (int n = 0; n < kCount; n += 7) {
        key.AssignText(L"NOTE ").AppendInt(n);
        int at = table.IndexOfKeyString(key.GetText());
        ASSERT_GE(at, 0) << n;
        table.GetValueAt(at, value);
        ASSERT_EQ(n * 3, value.ToInt());
        ASSERT_EQ(-1, table.IndexOfKeyStringExact(key.GetText()));
    }
    // A look-up on a stale index sorts it first.
    table.AddItemString(L"aaa first", L"0", 0);
    EXPECT_EQ(0, table.FindKey(L"AAA FIRST"));
}

// Items given already joined and split: in key order the index is the item
// order; out of order anywhere (also only the last pair, or only by letter
// case), they are still sorted; equal keys keep the order they came in.
TEST(AIStringTable, SplitItemsAreSortedWhateverOrderTheyComeIn)
{
    struct Case {
        const WCHAR* items[5];
        const char* sorted;
    };
    const Case cases[] = {
        {{L"alpha:1", L"Beta:2", L"gamma:3", L"zeta:4", 0}, "alpha:1|Beta:2|gamma:3|zeta:4"},
        {{L"alpha:1", L"Beta:2", L"zeta:4", L"gamma:3", 0}, "alpha:1|Beta:2|gamma:3|zeta:4"},
        {{L"beta:2", L"ALPHA:1", L"gamma:3", 0}, "ALPHA:1|beta:2|gamma:3"},
        {{L"b:2", L"B:1", L"a:0", L"b:3", 0}, "a:0|b:2|B:1|b:3"},
        {{L"ab:1", L"a:2", 0}, "a:2|ab:1"},
        {{L"\x00E9t\x00E9:1", L"\x00C9T\x00C9S:2", L"ete:3", 0}, "ete:3|\xC3\xA9t\xC3\xA9:1|\xC3\x89T\xC3\x89S:2"},
    };
    for (const Case& c : cases) {
        AIString joined;
        int starts[5], count = 0;
        for (; c.items[count]; count++) {
            starts[count] = joined.GetLength();
            joined.AppendText(c.items[count]).AppendChar(AIStringList::kSeparator);
        }
        AIStringTable table;
        const AIString given(joined);
        ASSERT_EQ(1, table.AssignSplit(joined, starts, count));
        EXPECT_EQ(0, joined.GetLength()) << "the table takes the joined text over";
        joined.Copy(given);
        EXPECT_EQ(count, table.GetCount());
        EXPECT_EQ(c.sorted, SortedItems(table));
        EXPECT_EQ(Utf8(joined), Utf8(table.GetJoined())) << "the items stay in the order they came";
        AIString key;
        for (int i = 0; i < count; i++) {
            table.GetKeyAt(i, key);
            EXPECT_GE(table.IndexOfKeyStringExact(key.GetText()), 0) << Utf8(key);
        }
    }
}

// Items the caller vouches for (a parsed data file's index) are taken as
// sorted; the table then finds and adds as after any other assignment.
TEST(AIStringTable, ItemsGivenInKeyOrderAreFoundAndAddedTo)
{
    AIString joined;
    int starts[3], count = 0;
    for (const WCHAR* item : {L"alpha:1", L"Beta:2", L"zeta:4"}) {
        starts[count++] = joined.GetLength();
        joined.AppendText(item).AppendChar(AIStringList::kSeparator);
    }
    AIStringTable table;
    ASSERT_EQ(1, table.AssignSplitInKeyOrder(joined, starts, count));
    EXPECT_EQ(1, table.IndexOfKeyString(L"BETA"));
    EXPECT_EQ(-1, table.IndexOfKeyString(L"gamma"));
    table.AddItemString(L"gamma", L"3");
    EXPECT_EQ("alpha:1|Beta:2|gamma:3|zeta:4", SortedItems(table));
    EXPECT_EQ(2, table.IndexOfKeyString(L"Gamma"));
}

// Readers keep what they built from a table (the editor's title matcher) until
// its change count moves: every edit moves it, even one that leaves the joined
// text as long as before; look-ups, sorting and saving do not.
TEST(AIStringTable, ChangeCountMovesWithEveryEditAndOnlyThen)
{
    AIStringTable table;
    uint32_t seen = table.GetChangeCount();
    auto moved = [&]() {
        uint32_t now = table.GetChangeCount();
        bool changed = now != seen;
        seen = now;
        return changed;
    };
    table.AddItemString(L"b", L"2", 0);
    EXPECT_TRUE(moved());
    AIString out;
    table.SortIndex();
    table.IndexOfKeyString(L"B");
    table.GetValueOfKeyString(L"b", out);
    table.ItemAtSorted(0, nullptr, nullptr);
    EXPECT_FALSE(moved());
    table.SetKeyValueString(L"b", L"3");  // same length, other text
    EXPECT_TRUE(moved());
    table.SetKeyValueString(L"a", L"1");
    EXPECT_TRUE(moved());
    table.RemoveKeyString(L"a");
    EXPECT_TRUE(moved());
    EXPECT_EQ(0, table.RemoveKeyString(L"absent"));
    EXPECT_FALSE(moved());
    table.SetCaseSensitive(1);
    EXPECT_TRUE(moved());
    table.AssignString(L"c:3");  // the same length as "b:3"
    EXPECT_TRUE(moved());
    table.AssignJoined(L"c:3\u00A4");
    EXPECT_TRUE(moved());
    AIString joined(L"d:4\u00A4");
    int start = 0;
    table.AssignSplitInKeyOrder(joined, &start, 1);
    EXPECT_TRUE(moved());
    table.Clear();
    EXPECT_TRUE(moved());

    // A new table never starts at a count another table has shown.
    AIStringTable other;
    EXPECT_NE(seen, other.GetChangeCount());
    other.AddItemString(L"d", L"4");
    EXPECT_NE(seen, other.GetChangeCount());
}
