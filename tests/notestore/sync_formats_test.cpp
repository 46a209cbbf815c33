// The pure parts of folder sync: the line files (file list, base, edit
// markers), hex numbers and UTF-8, the rule of a pass and the judgement of
// a copy that may still be on its way.
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "notestore/sync/sync_table.h"
#include "notestore/sync/sync_decide.h"
#include "notestore/sync/edit_markers.h"
#include "notestore/sync/copy_text.h"
#include "notestore/datafile_format.h"
#include <string>

namespace {

const WCHAR kHeader[] = L"tavik-files 1";

int32_t ParseText(SyncTable& table, const WCHAR* text, int32_t fields = 2)
{
    return table.Parse(text, TextLength(text), kHeader, fields);
}

std::string Composed(const SyncTable& table)
{
    AIString text;
    table.Compose(kHeader, text);
    return Utf8(text);
}

}  // namespace

TEST(SyncTable, ReadsWhatItWritesAndFindsTitlesIgnoringCase)
{
    SyncTable table;
    const WCHAR* b[] = {L"1", L"two words"};
    const WCHAR* a[] = {L"x", L"y"};
    ASSERT_EQ(1, table.Set(L"beta", b, 2));
    ASSERT_EQ(1, table.Set(L"Alpha", a, 2));
    const WCHAR* replaced[] = {L"tab\there", L"line\r\nend"};
    ASSERT_EQ(1, table.Set(L"BETA", replaced, 2));   // the same note in another case
    EXPECT_EQ(2, table.Count());
    EXPECT_EQ("tavik-files 1\r\nAlpha\tx\ty\r\nBETA\ttab here\tline  end\r\nend\t2\r\n", Composed(table));

    SyncTable read;
    AIString text;
    table.Compose(kHeader, text);
    ASSERT_EQ(1, read.Parse(text.GetText(), text.GetLength(), kHeader, 2));
    EXPECT_EQ(Composed(table), Composed(read));
    EXPECT_EQ(1, read.Find(L"beta", 4));
    EXPECT_EQ(0, read.Find(L"ALPHA", 5));
    EXPECT_EQ(-1, read.Find(L"Gamma", 5));
    AIString field;
    read.FieldText(1, 1, field);
    EXPECT_EQ("line  end", Utf8(field));
    const WCHAR* none;
    int32_t len;
    EXPECT_EQ(0, read.Field(1, 2, &none, &len));
    EXPECT_EQ(1, read.Remove(L"alpha"));
    EXPECT_EQ(0, read.Remove(L"alpha"));
    EXPECT_EQ("tavik-files 1\r\nBETA\ttab here\tline  end\r\nend\t1\r\n", Composed(read));
}

TEST(SyncTable, LinesAppendedInAnyOrderAreSortedOnceAndATitleKeptOnce)
{
    SyncTable table;
    const WCHAR* first[] = {L"1", L"a"};
    const WCHAR* later[] = {L"2", L"b"};
    WCHAR title[16];
    for (int i = 0; i < 37; i++) {
        wsprintfW(title, L"T%02d", (i * 17) % 37);   // every number once, out of order
        ASSERT_EQ(1, table.Append(title, first, 2));
    }
    ASSERT_EQ(1, table.Append(L"t05", later, 2));   // the same note again, in another case
    ASSERT_EQ(1, table.Sort());
    ASSERT_EQ(37, table.Count());
    AIString at;
    for (int i = 0; i < 37; i++) {
        wsprintfW(title, L"T%02d", i);
        ASSERT_EQ(i, table.Find(title, 3)) << i;
    }
    table.FieldText(5, 0, at);
    EXPECT_EQ("1", Utf8(at)) << "the first line of a title stays";
}

TEST(SyncTable, AFileCutShortOrOutOfOrderIsNotReadAtAll)
{
    SyncTable table;
    EXPECT_EQ(1, ParseText(table, L"tavik-files 1\r\nend\t0\r\n"));
    EXPECT_EQ(1, ParseText(table, L"\xFEFFtavik-files 1\nA\t1\t2\nB\t3\t4\nend\t2"));   // LF and a mark
    EXPECT_EQ(2, table.Count());
    struct Case {
        const char* why;
        const WCHAR* text;
    } refused[] = {
        {"no end line (cut short)", L"tavik-files 1\r\nA\t1\t2\r\n"},
        {"cut inside a line", L"tavik-files 1\r\nA\t1"},
        {"end line with another count", L"tavik-files 1\r\nA\t1\t2\r\nend\t2\r\n"},
        {"end line without count", L"tavik-files 1\r\nA\t1\t2\r\nend\r\n"},
        {"text after the end line", L"tavik-files 1\r\nA\t1\t2\r\nend\t1\r\nB\t1\t2\r\n"},
        {"another header", L"tavik-files 2\r\nend\t0\r\n"},
        {"nothing", L""},
        {"lines out of order", L"tavik-files 1\r\nB\t1\t2\r\nA\t1\t2\r\nend\t2\r\n"},
        {"the same title twice", L"tavik-files 1\r\nA\t1\t2\r\na\t1\t2\r\nend\t2\r\n"},
        {"a field too many", L"tavik-files 1\r\nA\t1\t2\t3\r\nend\t1\r\n"},
        {"a field too few", L"tavik-files 1\r\nA\t1\r\nend\t1\r\n"},
        {"a title no note can have", L"tavik-files 1\r\n..\\x\t1\t2\r\nend\t1\r\n"},
        {"an empty title", L"tavik-files 1\r\n\t1\t2\r\nend\t1\r\n"},
    };
    for (const Case& c : refused) {
        EXPECT_EQ(0, ParseText(table, c.text)) << c.why;
        EXPECT_EQ(0, table.Count()) << c.why;
    }
}

TEST(SyncTable, HexNumbersAndUtf8)
{
    AIString hex;
    AppendHex64(hex, 0x0123456789ABCDEFULL);
    EXPECT_EQ("0123456789ABCDEF", Utf8(hex));
    int32_t ok = 0;
    EXPECT_EQ(0x0123456789ABCDEFULL, ParseHex64(hex.GetText(), 16, &ok));
    EXPECT_EQ(1, ok);
    EXPECT_EQ(0u, ParseHex64(L"0123456789abcdef", 16, &ok));   // only what the writer writes
    EXPECT_EQ(0, ok);
    EXPECT_EQ(0u, ParseHex64(L"12", 2, &ok));
    EXPECT_EQ(0, ok);

    // Text with a pair, a lone surrogate and a reserved character to UTF-8 and back.
    const WCHAR text[] = {L'a', 0x00E9, 0x20AC, 0xD83D, 0xDE00, 0xD800, L'z', 0};
    int64_t size = 0;
    uint8_t* bytes = TextToUtf8(text, 7, &size);
    ASSERT_TRUE(bytes != nullptr);
    EXPECT_EQ(std::string("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBDz"), std::string((char*)bytes, (size_t)size));
    AIString back;
    ASSERT_EQ(1, Utf8ToText(bytes, size, back));
    EXPECT_EQ(7, back.GetLength());
    EXPECT_EQ(0xFFFD, back.CharAt(5)) << "a lone surrogate cannot travel";
    LocalFree(bytes);

    struct Case {
        const char* why;
        std::string bytes;
        int32_t wellFormed;
    } cases[] = {
        {"plain", "abc", 1},
        {"empty", "", 1},
        {"a cut two-byte sequence", "a\xC3", 0},
        {"a cut four-byte sequence", "\xF0\x9F\x98", 0},
        {"an overlong slash", "\xC0\xAF", 0},
        {"an encoded surrogate", "\xED\xA0\x80", 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"a lone continuation byte", "\x80", 0},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.wellFormed, IsWellFormedUtf8((const uint8_t*)c.bytes.data(), (int64_t)c.bytes.size())) << c.why;
    EXPECT_EQ(0, Utf8ToText((const uint8_t*)"a\xC3", 2, back)) << "a copy cut inside a character is not read";
    EXPECT_EQ(1, Utf8ToText((const uint8_t*)"\xEF\xBB\xBFok", 5, back));
    EXPECT_EQ("ok", Utf8(back));
}

TEST(SyncDecide, EachSideWinsWhatItAloneChangedAndNoTextIsDropped)
{
    struct Case {
        const char* name;
        int32_t inBase;
        SyncSideState here, there;
        int32_t same;
        SyncAction expected;
    } cases[] = {
        {"unchanged", 1, kSideSame, kSideSame, 0, kSyncNothing},
        {"edited here", 1, kSideChanged, kSideSame, 0, kSyncPush},
        {"edited there", 1, kSideSame, kSideChanged, 0, kSyncPull},
        {"deleted here", 1, kSideAbsent, kSideSame, 0, kSyncDeleteThere},
        {"deleted there", 1, kSideSame, kSideAbsent, 0, kSyncDeleteHere},
        {"edited on both to the same text", 1, kSideChanged, kSideChanged, 1, kSyncAdopt},
        {"edited on both differently", 1, kSideChanged, kSideChanged, 0, kSyncConflict},
        {"edited here, deleted there", 1, kSideChanged, kSideAbsent, 0, kSyncPush},
        {"deleted here, edited there", 1, kSideAbsent, kSideChanged, 0, kSyncPull},
        {"deleted on both", 1, kSideAbsent, kSideAbsent, 0, kSyncForget},
        {"new here", 0, kSideChanged, kSideAbsent, 0, kSyncPush},
        {"new there", 0, kSideAbsent, kSideChanged, 0, kSyncPull},
        {"new on both, same text", 0, kSideChanged, kSideChanged, 1, kSyncAdopt},
        {"new on both, other texts", 0, kSideChanged, kSideChanged, 0, kSyncConflict},
        {"never seen anywhere", 0, kSideAbsent, kSideAbsent, 0, kSyncNothing},
        {"in transit, edited here", 1, kSideChanged, kSideInTransit, 0, kSyncRetryLater},
        {"in transit, deleted here", 1, kSideAbsent, kSideInTransit, 0, kSyncRetryLater},
        {"in transit, new", 0, kSideAbsent, kSideInTransit, 0, kSyncRetryLater},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, DecideSync(c.inBase, c.here, c.there, c.same)) << c.name;
}

TEST(SyncDecide, ACopyIsWholeEditedElsewhereOrStillOnItsWay)
{
    const uint64_t stamp = 1000;
    EXPECT_EQ(kCopyWhole, JudgeCopy(7, stamp, 7, stamp, 1));
    EXPECT_EQ(kCopyWhole, JudgeCopy(7, stamp, 7, stamp + 99, 1)) << "a copy whose time a service changed";
    EXPECT_EQ(kCopyInTransit, JudgeCopy(7, stamp, 8, stamp, 0)) << "does not decode";
    EXPECT_EQ(kCopyInTransit, JudgeCopy(7, stamp, 7, stamp, 0)) << "does not decode, whatever the list says";
    EXPECT_EQ(kCopyInTransit, JudgeCopy(7, stamp, 8, stamp - 1, 1)) << "the list is newer than the copy";
    EXPECT_EQ(kCopyInTransit, JudgeCopy(7, stamp, 8, stamp, 1)) << "written at the stamp with other bytes";
    EXPECT_EQ(kCopyEditedOutside, JudgeCopy(7, stamp, 8, stamp + 1, 1));
}

TEST(EditMarkers, AMarkerOfAnotherHoldsUntilItGoesStale)
{
    SyncTable markers;
    const uint64_t me = 0x11, other = 0x22, now = 5000 * kFileTimeMinute;
    const uint64_t lifetime = kMarkerLifetimeMinutes * kFileTimeMinute;
    AIString holder;
    ASSERT_EQ(1, SetMarker(markers, L"Plan", other, now, L"ann on PC2"));
    EXPECT_EQ(1, IsMarkedByOther(markers, L"plan", me, now + lifetime, holder));
    EXPECT_EQ("ann on PC2", Utf8(holder));
    EXPECT_EQ(0, IsMarkedByOther(markers, L"Plan", me, now + lifetime + 1, holder)) << "stale";
    EXPECT_EQ(0, IsMarkedByOther(markers, L"Plan", me, now - lifetime - 1, holder)) << "from a clock far ahead";
    EXPECT_EQ(0, IsMarkedByOther(markers, L"Plan", other, now, holder)) << "one's own marker holds nothing";
    EXPECT_EQ(0, IsMarkedByOther(markers, L"Other", me, now, holder));
    EXPECT_EQ(0, RemoveOwnMarker(markers, L"Plan", me)) << "nobody removes another's marker";
    EXPECT_EQ(1, markers.Count());

    ASSERT_EQ(1, SetMarker(markers, L"Mine", me, now, L"me"));
    // Refreshing stamps my markers anew and drops the stale ones of others.
    EXPECT_EQ(2, RefreshMarkers(markers, me, now + lifetime + 5));
    EXPECT_EQ(1, markers.Count());
    EXPECT_EQ(0, IsMarkedByOther(markers, L"Plan", me, now + lifetime + 5, holder));
    EXPECT_EQ(1, IsMarkedByOther(markers, L"Mine", other, now + 2 * lifetime, holder)) << "refreshed";
    EXPECT_EQ(1, RemoveOwnMarker(markers, L"mine", me));
    EXPECT_EQ(0, markers.Count());

    // Read back from its file's text.
    SetMarker(markers, L"Plan", other, now, L"ann");
    AIString text;
    markers.Compose(kMarkerHeader, text);
    SyncTable read;
    ASSERT_EQ(1, read.Parse(text.GetText(), text.GetLength(), kMarkerHeader, kMarkerFields));
    EXPECT_EQ(1, IsMarkedByOther(read, L"Plan", me, now, holder));
}

namespace {

std::string Tidy(const WCHAR* text)
{
    AIString out;
    TidyCopyText(text, TextLength(text), out);
    return Utf8(out);
}

int32_t SameStored(const WCHAR* a, const WCHAR* b)
{
    return SameTextAsStored(a, TextLength(a), b, TextLength(b));
}

}  // namespace

TEST(CopyText, TextTypedAfterTheLinkBlockJoinsTheBodyAndOneBlockStays)
{
    // As the store writes it: unchanged.
    EXPECT_EQ("body\r\n{{\r\n[a:b]\r\n}}\r\n", Tidy(L"body\r\n{{\r\n[a:b]\r\n}}\r\n"));
    EXPECT_EQ("no block at all\n", Tidy(L"no block at all\n"));
    EXPECT_EQ("{{ not alone\r\n}}", Tidy(L"{{ not alone\r\n}}"));
    // A line typed at the copy's end, with or without its line end.
    EXPECT_EQ("first\r\nadded on a phone\r\n{{\r\n[site:http://x.org]\r\n}}\r\n",
              Tidy(L"first\r\n{{\r\n[site:http://x.org]\r\n}}\r\nadded on a phone"));
    EXPECT_EQ("first\r\nadded\r\nand more\r\n{{\r\n}}\r\n", Tidy(L"first\r\n{{\r\n}}\r\nadded\r\nand more\r\n\r\n"));
    // Typed inside the block, between its link lines.
    EXPECT_EQ("first\r\nin the block\r\n{{\r\n[a:b]\r\n[c:d]\r\n}}\r\n",
              Tidy(L"first\r\n{{\r\n[a:b]\r\nin the block\r\n[c:d]\r\n}}\r\n"));
    // Saved with LF line ends, or with nothing before the block.
    EXPECT_EQ("one\ntwo\r\n{{\r\n[a:b]\r\n}}\r\n", Tidy(L"one\ntwo\n{{\n[a:b]\n}}\n"));
    EXPECT_EQ("added\r\n{{\r\n}}\r\n", Tidy(L"{{\r\n}}\r\nadded"));
    // Only blank lines after the block: nothing to move.
    EXPECT_EQ("first\r\n{{\r\n}}\r\n", Tidy(L"first\r\n{{\r\n}}\r\n\r\n  \r\n"));
    // The last block is the block; a body's own braces before it stay.
    EXPECT_EQ("a\r\n{{\r\nb\r\nc\r\n{{\r\n}}\r\n", Tidy(L"a\r\n{{\r\nb\r\n{{\r\n}}\r\nc"));

    // A NUL (never kept by the store) ends no part of the text.
    const WCHAR kWithNul[] = L"first\0 more\r\n{{\r\n}}\r\nadded";
    AIString withoutNul;
    TidyCopyText(kWithNul, (int32_t)(sizeof(kWithNul) / sizeof(WCHAR)) - 1, withoutNul);
    EXPECT_EQ("first more\r\nadded\r\n{{\r\n}}\r\n", Utf8(withoutNul));

    // The tidied text is what the store finds as body and block.
    AIString out;
    const WCHAR kTyped[] = L"first\r\n{{\r\n[a:b]\r\n}}\r\nadded";
    TidyCopyText(kTyped, TextLength(kTyped), out);
    EXPECT_EQ(12, FindLinkBlock(out.GetText(), out.GetLength()));
}

TEST(CopyText, TextsAreTheSameWhenOnlyWhatTheStoreAddsDiffers)
{
    // A hand-edited copy without a block, as the store keeps it once taken.
    EXPECT_EQ(1, SameStored(L"typed on a phone\r\n\r\n{{\r\n}}\r\n", L"typed on a phone\n"));
    EXPECT_EQ(1, SameStored(L"x\r\ny\r\n{{\r\n}}\r\n", L"x\ny"));
    EXPECT_EQ(1, SameStored(L"first\r\nadded\r\n{{\r\n[a:b]\r\n}}\r\n", L"first\r\n{{\r\n[a:b]\r\n}}\r\nadded"));
    EXPECT_EQ(0, SameStored(L"typed\r\n{{\r\n}}\r\n", L"typed!"));
    EXPECT_EQ(0, SameStored(L"same body\r\n{{\r\n[a:b]\r\n}}\r\n", L"same body\r\n{{\r\n}}\r\n")) << "links count";
    EXPECT_EQ(0, SameStored(L"A\r\n{{\r\n}}\r\n", L"a\r\n{{\r\n}}\r\n")) << "letter case counts";
}
