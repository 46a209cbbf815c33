// Shortening a path in the middle, measured one unit per character.
#include "tests/support/gtest.h"
#include "dialogs/path_shortening.h"

namespace {

int OnePerCharacter(const WCHAR*, int length, void*) { return length; }

std::string Shortened(const WCHAR* path, int width)
{
    TextWidthMeasure measure = {OnePerCharacter, nullptr};
    AIString out;
    ShortenPathInMiddle(path, width, measure, out);
    EXPECT_LE(out.GetLength(), width < 3 ? 3 : width) << Utf8(out);
    return Utf8(out);
}

}  // namespace

TEST(PathShortening, KeepsTheRootAndAsMuchOfTheEndAsFits)
{
    const WCHAR* path = L"C:\\users\\me\\Documents\\notes\\long\\Big_note.txt";  // 45 characters
    EXPECT_EQ("C:\\users\\me\\Documents\\notes\\long\\Big_note.txt", Shortened(path, 45));
    EXPECT_EQ("C:\\...\\me\\Documents\\notes\\long\\Big_note.txt", Shortened(path, 44));
    EXPECT_EQ("C:\\...\\Documents\\notes\\long\\Big_note.txt", Shortened(path, 42));
    EXPECT_EQ("C:\\...\\notes\\long\\Big_note.txt", Shortened(path, 30));
    EXPECT_EQ("C:\\...\\long\\Big_note.txt", Shortened(path, 29));
    EXPECT_EQ("C:\\...\\Big_note.txt", Shortened(path, 19));
    // Then the root goes, then the start of the file name.
    EXPECT_EQ("...\\Big_note.txt", Shortened(path, 18));
    EXPECT_EQ("...\\Big_note.txt", Shortened(path, 16));
    EXPECT_EQ("...Big_note.txt", Shortened(path, 15));
    EXPECT_EQ("...ig_note.txt", Shortened(path, 14));
    EXPECT_EQ("...t", Shortened(path, 4));
    EXPECT_EQ("...", Shortened(path, 0));
}

TEST(PathShortening, ShareRootsFileNamesAloneAndEmptyPaths)
{
    const WCHAR* share = L"\\\\server\\notes\\deep\\deeper\\file.txt";
    EXPECT_EQ("\\\\server\\notes\\...\\file.txt", Shortened(share, 28));
    EXPECT_EQ("...\\deeper\\file.txt", Shortened(share, 20));
    EXPECT_EQ("...e_name_only.txt", Shortened(L"a_long_file_name_only.txt", 18));
    EXPECT_EQ("", Shortened(L"", 10));
    EXPECT_EQ("", Shortened(nullptr, 10));
    // A trailing separator is never the whole end.
    EXPECT_EQ("C:\\...\\b\\", Shortened(L"C:\\aaaaaaaa\\b\\", 9));
}
