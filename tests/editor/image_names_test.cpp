// Names that images and captured pages become, and the checks on hyperlink
// labels and targets: what may reach a file name or the note's link table.
#include "tests/support/gtest.h"
#include "editor/images/image_names.h"
#include "editor/images/link_target_rules.h"
#include <map>
#include <string>

namespace {

std::string NameOf(const WCHAR* url, UrlNameMode mode = kUrlNameForFile)
{
    AIString name;
    MakeNameFromUrl(url, name, mode);
    return Utf8(name);
}

std::string BaseOf(const WCHAR* folder, const WCHAR* name, const WCHAR* stamp)
{
    AIString base;
    MakeImageFileBase(folder, name, stamp, base);
    return Utf8(base);
}

// Images already in the folder: name -> the address they were captured from.
struct Folder
{
    std::map<std::string, std::string> images;
    static int Existing(void* context, const WCHAR* name, AIString& address)
    {
        auto* folder = static_cast<Folder*>(context);
        auto found = folder->images.find(Utf8(name));
        if (found == folder->images.end()) return 0;
        address.FromUtf8(found->second.c_str());
        return 1;
    }
    std::string Pick(const WCHAR* base, const WCHAR* address)
    {
        WebImageNames names;
        names.context = this;
        names.existing = Existing;
        AIString picked;
        if (!PickWebImageName(base, address, names, picked)) return "!";
        return Utf8(picked);
    }
};

}  // namespace

TEST(ImageNames, AddressesBecomeFileNames)
{
    // The scheme goes as a whole word ("https" before "http"), then punctuation.
    EXPECT_EQ(NameOf(L"https://www.example.com/a-b?c=d"), "wwwexamplecomabcd");
    EXPECT_EQ(NameOf(L"HTTP://x.org/(1),2"), "xorg12");
    EXPECT_EQ(NameOf(L"httpsite"), "ite");  // "https" is dropped first
    // Titles keep what a note title may hold.
    EXPECT_EQ(NameOf(L"https://a.b/c-d?e", kUrlNameForTitle), "://ab/c-d?e");
    // Separators of the data file never survive, in either mode.
    EXPECT_EQ(NameOf(L"a\x00A4" L"b\x00B1" L"c[d]e\x00BD" L"f"), "abcdef");
    EXPECT_EQ(NameOf(L"a\x00A4" L"b[c]\x00BD", kUrlNameForTitle), "abc");
    // Long names are cut to 50 characters; blanks at the ends go.
    std::string longName = NameOf(L"http://aaaaaaaaaabbbbbbbbbbccccccccccddddddddddeeeeeeeeeeffffffffff");
    EXPECT_EQ(longName.size(), 50u);
    EXPECT_EQ(NameOf(L"  http  "), "http");  // the scheme only counts at the start
    // Letters beyond ASCII stay as they are.
    EXPECT_EQ(NameOf(L"http://\x00E9t\x00E9.fr/\x65E5\x672C"), "\xC3\xA9t\xC3\xA9" "fr\xE6\x97\xA5\xE6\x9C\xAC");
}

TEST(ImageNames, DeviceNamesNeverReachTheDisk)
{
    EXPECT_TRUE(IsDeviceName(L"con"));
    EXPECT_TRUE(IsDeviceName(L"NUL.png"));
    EXPECT_TRUE(IsDeviceName(L"com1"));
    EXPECT_TRUE(IsDeviceName(L"Lpt9.jpg"));
    EXPECT_FALSE(IsDeviceName(L"com0"));
    EXPECT_FALSE(IsDeviceName(L"console"));
    EXPECT_FALSE(IsDeviceName(L"con_"));
    EXPECT_EQ(NameOf(L"http://con"), "con_");
    EXPECT_EQ(NameOf(L"aux"), "aux_");
    EXPECT_EQ(BaseOf(L"C:\\d\\images", L"prn", nullptr), "C:\\d\\images\\img");
}

TEST(ImageNames, StampAndLengthRule)
{
    SYSTEMTIME time = {};
    time.wYear = 2011;
    time.wMonth = 5;
    time.wDay = 23;
    time.wHour = 10;
    time.wMinute = 20;
    AIString stamp;
    MakeImageStamp(time, stamp);
    EXPECT_EQ(Utf8(stamp), "2011_05231020");
    EXPECT_EQ(stamp.GetLength() + 5, kImageStampSuffixChars);  // "_" + stamp + ".png"

    EXPECT_EQ(BaseOf(L"C:\\d\\images", L"Trip", L"2011_05231020"), "C:\\d\\images\\Trip_2011_05231020");
    EXPECT_EQ(BaseOf(L"C:\\d\\images", L"www_page", nullptr), "C:\\d\\images\\www_page");
    EXPECT_EQ(BaseOf(L"C:\\d\\images", L"", L"2011_05231020"), "C:\\d\\images\\img_2011_05231020");

    // A long name is shortened so that the whole path stays within the limit.
    AIString deep(L"C:\\");
    for (int i = 0; i < 20; i++) deep.AppendText(L"folder");
    AIString name;
    for (int i = 0; i < 30; i++) name.AppendText(L"longname");
    AIString base;
    MakeImageFileBase(deep.GetText(), name.GetText(), L"2011_05231020", base);
    EXPECT_LE(base.GetLength(), kImagePathMaxChars);
    EXPECT_TRUE(base.EndsWithNoCase(L"_2011_05231020"));
    EXPECT_GT(base.GetLength(), deep.GetLength() + 20);
    // Room for fewer characters of the name than the stamp has: "img" and the stamp.
    AIString tight(L"C:\\");
    while (tight.GetLength() < kImagePathMaxChars - 14 - 5 - 1) tight.AppendChar(L'f');
    MakeImageFileBase(tight.GetText(), name.GetText(), L"2011_05231020", base);
    EXPECT_TRUE(base.EndsWithNoCase(L"\\img_2011_05231020")) << Utf8(base);
    // Room for more than the stamp: the name's first characters.
    tight.SetLength(tight.GetLength() - 10);
    MakeImageFileBase(tight.GetText(), name.GetText(), L"2011_05231020", base);
    EXPECT_TRUE(base.EndsWithNoCase(L"\\longnamelongnam_2011_05231020")) << Utf8(base);
    // No room at all for the name: "img" and the stamp.
    AIString deeper(deep);
    for (int i = 0; i < 20; i++) deeper.AppendText(L"folder");
    MakeImageFileBase(deeper.GetText(), name.GetText(), L"2011_05231020", base);
    EXPECT_TRUE(base.EndsWithNoCase(L"\\img_2011_05231020"));
}

TEST(ImageNames, WebImagesNeverOverwriteAnotherPagesImage)
{
    Folder folder;
    EXPECT_EQ(folder.Pick(L"wwwsitecom", L"http://www.site.com"), "wwwsitecom");
    folder.images["wwwsitecom"] = "http://www.site.com";
    // The same page again: the same name, its image is replaced.
    EXPECT_EQ(folder.Pick(L"wwwsitecom", L"http://www.site.com"), "wwwsitecom");
    // Another address that makes the same name gets a suffix.
    EXPECT_EQ(folder.Pick(L"wwwsitecom", L"http://www.site.com/"), "wwwsitecom_2");
    folder.images["wwwsitecom_2"] = "http://www.site.com/";
    EXPECT_EQ(folder.Pick(L"wwwsitecom", L"https://www.site.com"), "wwwsitecom_3");
    EXPECT_EQ(folder.Pick(L"wwwsitecom", L"http://www.site.com/"), "wwwsitecom_2");
    // An image whose address is unknown is never taken for this page's.
    folder.images["other"] = "";
    EXPECT_EQ(folder.Pick(L"other", L"http://other"), "other_2");
}

TEST(ImageNames, FromImageFileBackToItsNote)
{
    AIString title;
    NoteTitleOfImageFile(L"C:\\data\\images\\Trip_2011_05231020.png", title);
    EXPECT_EQ(Utf8(title), "Trip");
    NoteTitleOfImageFile(L"rel:\\images\\My note_2011_05231020.jpg", title);
    EXPECT_EQ(Utf8(title), "My note");
    NoteTitleOfImageFile(L"file:C:\\x\\short.png", title);
    EXPECT_EQ(Utf8(title), "");
    NoteTitleOfImageFile(L"C:\\data\\images\\Trip_2011_05231020.JPG", title);
    EXPECT_EQ(Utf8(title), "Trip");
    NoteTitleOfImageFile(L"C:\\data\\images\\Trip_2_2011_05231020.png", title);
    EXPECT_EQ(Utf8(title), "Trip_2");
}

TEST(ImageNames, OnlyAStampedImageNameLosesItsLast18Characters)
{
    // Long names that are not stamped pictures keep their whole name: no note
    // is looked up from a cut-off piece of them.
    const WCHAR* const unstamped[] = {
        L"file:C:\\docs\\annual_report_2011.pdf",  // 22 characters, a year but no stamp
        L"C:\\x\\Trip_2011_05231020.gif",           // stamped, but not a pasted picture's type
        L"C:\\x\\Trip_2011_0523102a.png",           // a letter inside the stamp
        L"C:\\x\\Trip-2011_05231020.png",           // no "_" before the year
        L"C:\\x\\Trip_2011-05231020.png",           // no "_" after the year
        L"C:\\x\\Trip_2011_05231020.png.bak",       // the stamp is not at the end
        L"C:\\x\\_2011_05231020.png",               // a stamp with no name before it
    };
    AIString title;
    for (const WCHAR* path : unstamped) {
        NoteTitleOfImageFile(path, title);
        EXPECT_EQ(Utf8(title), "") << Utf8(path);
    }
    EXPECT_TRUE(HasImageStampSuffix(L"Trip_2011_05231020.Jpg"));
    EXPECT_FALSE(HasImageStampSuffix(L"2011_05231020.png"));
    EXPECT_FALSE(HasImageStampSuffix(nullptr));
}

TEST(LinkTargets, AddressTestSeesTheWholeText)
{
    EXPECT_TRUE(IsAddressText(L"https://example.com/a/very/long/path/that/is/longer/than/thirty"));
    EXPECT_TRUE(IsAddressText(L"http://x"));
    EXPECT_TRUE(IsAddressText(L"www.example.com"));
    EXPECT_TRUE(IsAddressText(L"mailto:someone@example.com"));
    EXPECT_TRUE(IsAddressText(L"  WWW.Example.com"));
    EXPECT_FALSE(IsAddressText(L"https"));
    EXPECT_FALSE(IsAddressText(L"my www.site"));
    EXPECT_FALSE(IsAddressText(L""));
    EXPECT_FALSE(IsAddressText(nullptr));

    AIString label;
    MakeStoredLabel(L"A label: with\r a colon and far more than thirty characters", label);
    EXPECT_EQ(label.GetLength(), kLinkLabelMaxChars);
    EXPECT_EQ(Utf8(label), "A label\xC2\xB1 with a colon and far ");
}

TEST(LinkTargets, BracketsNeverReachTheLinkTable)
{
    AIString clean;
    EXPECT_EQ(CleanLinkTarget(L"http://x.org/a[1]", clean), kTargetAccepted);
    EXPECT_EQ(Utf8(clean), "http://x.org/a%5B1%5D");
    EXPECT_EQ(CleanLinkTarget(L" www.x.org/]] ", clean), kTargetAccepted);
    EXPECT_EQ(Utf8(clean), "www.x.org/%5D%5D");
    EXPECT_EQ(CleanLinkTarget(L"file:C:\\a[1].txt", clean), kTargetHasBrackets);
    EXPECT_TRUE(clean.IsEmpty());
    EXPECT_EQ(CleanLinkTarget(L"rel:\\images\\x]", clean), kTargetHasBrackets);
    EXPECT_EQ(CleanLinkTarget(L"rel:\\images\\x.png", clean), kTargetAccepted);
    EXPECT_EQ(Utf8(clean), "rel:\\images\\x.png");
    // A long target is kept whole.
    AIString longTarget(L"https://example.com/");
    for (int i = 0; i < 20; i++) longTarget.AppendText(L"segment/");
    EXPECT_EQ(CleanLinkTarget(longTarget.GetText(), clean), kTargetAccepted);
    EXPECT_EQ(clean.GetLength(), longTarget.GetLength());
}
