// The paste-and-edit image screen's rules: the preview's scale, selections
// turned into picture pixels, the name rules, and saving an edited picture
// back over its file (the type by extension, the original kept on failure).
#include "tests/support/gtest.h"
#include "tests/notestore/store_test_files.h"
#include "dialogs/screens/image_edit_save.h"
#include "dialogs/screens/image_paste_rules.h"
#include "imaging/ai_image.h"

TEST(ImagePasteRules, PreviewScaleReducesLargePicturesAndEnlargesSmallOnesByWholeTimes)
{
    // 100 x 80 in a 500 x 300 area: 3.5 times would fit; whole times only.
    PreviewScale small = ComputePreviewScale(100, 80, 500, 300);
    EXPECT_EQ(3000, small.zoom);
    EXPECT_EQ(300, small.width);
    EXPECT_EQ(240, small.height);
    PreviewScale tiny = ComputePreviewScale(10, 10, 500, 300);
    EXPECT_EQ(kPreviewMaxZoom, tiny.zoom);
    PreviewScale wide = ComputePreviewScale(2000, 1000, 500, 300);  // 480 x 280 inside
    EXPECT_EQ(240, wide.zoom);
    EXPECT_EQ(480, wide.width);
    EXPECT_EQ(240, wide.height);
    PreviewScale tall = ComputePreviewScale(100, 5000, 500, 300);
    EXPECT_LE(tall.height, 280);
    EXPECT_GE(tall.width, 1);
    PreviewScale none = ComputePreviewScale(0, 100, 500, 300);
    EXPECT_EQ(0, none.width);
    PreviewScale cramped = ComputePreviewScale(100, 100, 10, 10);
    EXPECT_EQ(0, cramped.width);
}

TEST(ImagePasteRules, SelectionsBecomePicturePixelsAndAClickSelectsTheWhole)
{
    RECT drawn = {100, 50, 400, 290};  // a 100 x 80 picture at 3000
    RECT selection;
    POINT anchor = {130, 80};
    EXPECT_EQ(0, FinishPreviewSelection(anchor, POINT{133, 84}, drawn, selection));
    EXPECT_EQ(95, selection.left);  // the whole preview, 5 wider each side
    EXPECT_EQ(295, selection.bottom);
    RECT pixels;
    EXPECT_EQ(0, SelectionToImageRect(selection, drawn, 3000, 100, 80, pixels));  // nothing to crop
    EXPECT_EQ(1, FinishPreviewSelection(POINT{250, 200}, anchor, drawn, selection));
    EXPECT_EQ(130, selection.left);
    EXPECT_EQ(200, selection.bottom);
    ASSERT_EQ(1, SelectionToImageRect(selection, drawn, 3000, 100, 80, pixels));
    EXPECT_EQ(10, pixels.left);
    EXPECT_EQ(10, pixels.top);
    EXPECT_EQ(50, pixels.right);
    EXPECT_EQ(50, pixels.bottom);
    // A drag past the preview's edge is cut at the picture.
    RECT outside = {350, 250, 500, 400};
    ASSERT_EQ(1, SelectionToImageRect(outside, drawn, 3000, 100, 80, pixels));
    EXPECT_EQ(100, pixels.right);
    EXPECT_EQ(80, pixels.bottom);
    RECT away = {0, 0, 50, 40};
    EXPECT_EQ(0, SelectionToImageRect(away, drawn, 3000, 100, 80, pixels));
}

TEST(ImagePasteRules, NamesRefuseSpecialAndControlCharactersAndAreCutToThirty)
{
    EXPECT_EQ(-1, FindRefusedNameChar(L"two words"));
    EXPECT_EQ(3, FindRefusedNameChar(L"sea-side"));
    // Tested in the rule's order: "{" before "-".
    EXPECT_EQ(4, FindRefusedNameChar(L"a-b {x"));
    EXPECT_EQ(1, FindRefusedNameChar(L"a\r\nb"));
    EXPECT_EQ(1, FindRefusedNameChar(L"a\tb"));
    EXPECT_EQ(0, FindRefusedNameChar(L"\x00B1x"));
    EXPECT_EQ(2, FindRefusedNameChar(L"ab\x001F"));

    AIString name;
    NameFromSelection(L"  Trip to \"Rome\"\r\nday two; [photo]  ", name);
    EXPECT_STREQ("Trip to Rome  day two photo", Utf8(name).c_str());
    EXPECT_EQ(-1, FindRefusedNameChar(name.GetText()));
    NameFromSelection(L"abcdefghij abcdefghij abcdefghij abcdefghij", name);
    EXPECT_EQ(kPasteNameMaxChars, name.GetLength());
    // A surrogate pair across the cut is dropped whole.
    AIString pair(L"abcdefghijabcdefghijabcdefghi");
    pair.AppendChar(0xD83D).AppendChar(0xDE00);
    NameFromSelection(pair.GetText(), name);
    EXPECT_EQ(29, name.GetLength());
    FilterSuggestedName(L"Flower 2: pink & white, 2011 version", name);
    EXPECT_STREQ("Flower  pink  white  v", Utf8(name).c_str());  // from the first 30 only
}

TEST(ImagePasteRules, EditedPicturesKeepTheTypeOfTheirExtension)
{
    EXPECT_EQ(kImagePng, EditedImageType(L"C:\\a\\b.png"));
    EXPECT_EQ(kImagePng, EditedImageType(L"C:\\a\\B.PNG"));
    EXPECT_EQ(kImageJpg, EditedImageType(L"C:\\a\\b.jpg"));
    EXPECT_EQ(kImageJpg, EditedImageType(L"C:\\a\\b.JPEG"));
    EXPECT_EQ(0, EditedImageType(L"C:\\a\\b.gif"));
    EXPECT_EQ(0, EditedImageType(L"C:\\a\\b.png.txt"));
    EXPECT_EQ(0, EditedImageType(nullptr));
    AIString info;
    FormatPasteImageInfo(640, 480, 921654, 750, info);
    EXPECT_STREQ("Width: 640  Height: 480 (900.1 kb)  Zoom: 75 %", Utf8(info).c_str());
    FormatPasteImageInfo(2000, 1500, 9000054, 240, info);
    EXPECT_STREQ("Width: 2000  Height: 1500 (8.6 mb)  Zoom: 24 %", Utf8(info).c_str());
}

namespace {

void MakePicture(AIImage& image, int width, int height)
{
    ASSERT_TRUE(image.Create(width, height, 24));
    uint8_t* bits = image.GetBits();
    for (uint32_t i = 0; i < image.GetStride() * (uint32_t)height; i++) bits[i] = (uint8_t)(i * 13);
}

}  // namespace

TEST(ImagePasteRules, AnEditedPictureReplacesItsFileOnlyWhenItCanBeSavedWhole)
{
    ScratchFolder folder;
    AIImage original;
    MakePicture(original, 40, 30);
    AIString png = folder.File(L"flower.png"), jpg = folder.File(L"tree.jpg"), gif = folder.File(L"old.gif");
    ASSERT_TRUE(original.Save(png.GetText(), kImagePng));
    ASSERT_TRUE(original.Save(jpg.GetText(), kImageJpg));
    WriteBytes(gif.GetText(), "GIF89a-not-really");
    AIImage edited;
    MakePicture(edited, 20, 30);
    AIString reason;

    EXPECT_EQ(kEditedImageSaved, SaveEditedImage(edited, png.GetText(), reason));
    AIImage back;
    ASSERT_TRUE(back.Load(png.GetText(), kImageDetect));
    EXPECT_EQ(kImagePng, back.GetType());
    EXPECT_EQ(20, back.GetWidth());
    EXPECT_EQ(kEditedImageSaved, SaveEditedImage(edited, jpg.GetText(), reason));
    ASSERT_TRUE(back.Load(jpg.GetText(), kImageDetect));
    EXPECT_EQ(kImageJpg, back.GetType());

    // A type the picture cannot be saved as is refused; the file stays.
    EXPECT_EQ(kEditedImageWrongType, SaveEditedImage(edited, gif.GetText(), reason));
    EXPECT_FALSE(reason.IsEmpty());
    EXPECT_EQ("GIF89a-not-really", ReadBytes(gif.GetText()));

    // A file that cannot be replaced keeps its bytes, and nothing is left beside it.
    std::string before = ReadBytes(png.GetText());
    SetFileAttributesW(png.GetText(), FILE_ATTRIBUTE_READONLY);
    AIImage bigger;
    MakePicture(bigger, 60, 60);
    EXPECT_EQ(kEditedImageFailed, SaveEditedImage(bigger, png.GetText(), reason));
    EXPECT_FALSE(reason.IsEmpty());
    EXPECT_EQ(before, ReadBytes(png.GetText()));
    SetFileAttributesW(png.GetText(), FILE_ATTRIBUTE_NORMAL);
    AIImage invalid;
    EXPECT_EQ(kEditedImageFailed, SaveEditedImage(invalid, png.GetText(), reason));
    EXPECT_EQ(before, ReadBytes(png.GetText()));
    AIString leftover(png);
    leftover.AppendText(L".tmp");
    EXPECT_FALSE(FileExists(leftover.GetText()));
}

TEST(ImagePasteRules, CropEdgesAtZoomsThatAreNotWholeNumbersRoundToTheNearestPixel)
{
    // 100 x 80 shown at 250 %: preview pixel x stands for picture pixel x / 2.5.
    RECT drawn = {0, 0, 250, 200};
    RECT pixels;
    ASSERT_EQ(1, SelectionToImageRect(RECT{3, 3, 104, 104}, drawn, 2500, 100, 80, pixels));
    EXPECT_EQ(1, pixels.left);    // 1.2 down
    EXPECT_EQ(1, pixels.top);
    EXPECT_EQ(42, pixels.right);  // 41.6 to the nearest
    EXPECT_EQ(42, pixels.bottom);
    // Reduced to 48 %: edges at 49.99 and 100.0 picture pixels.
    RECT reduced = {0, 0, 480, 384};
    ASSERT_EQ(1, SelectionToImageRect(RECT{0, 0, 24, 48}, reduced, 480, 1000, 800, pixels));
    EXPECT_EQ(50, pixels.right);
    EXPECT_EQ(100, pixels.bottom);
    // Shown at 150 %: 4 preview pixels are 2.67 picture pixels, so 3.
    ASSERT_EQ(1, SelectionToImageRect(RECT{1, 1, 4, 4}, RECT{0, 0, 150, 120}, 1500, 100, 80, pixels));
    EXPECT_EQ(0, pixels.left);
    EXPECT_EQ(3, pixels.right);
    EXPECT_EQ(3, pixels.bottom);
}

TEST(ImagePasteRules, TheWarningBlockTellsOfAnOldSnapshotTheLinkOrALargePictureOnAPortableDrive)
{
    AIString lines[kPasteWarningLines];
    PasteWarningFacts facts;
    EXPECT_EQ(0, PasteWarningBlock(facts, lines));
    facts.webLink = L"http://www.example.com/a/rather/long/address/of/a/page";
    ASSERT_EQ(1, PasteWarningBlock(facts, lines));
    EXPECT_EQ("http://www.example.com/a/rather/lon...", Utf8(lines[0]));
    facts.snapshotExists = 1;
    facts.portable = 1;
    facts.dibBytes = 20000000;
    ASSERT_EQ(3, PasteWarningBlock(facts, lines));
    EXPECT_EQ("Web Snapshot already exists.", Utf8(lines[1]));
    EXPECT_EQ("Pressing OK will replace old image", Utf8(lines[2]));
    // Without a link: only a picture above ten million bytes on a portable drive.
    facts.webLink = L"";
    ASSERT_EQ(3, PasteWarningBlock(facts, lines));
    EXPECT_EQ("Image is very large ", Utf8(lines[1]));
    facts.dibBytes = kPortableLargeDibBytes;
    EXPECT_EQ(0, PasteWarningBlock(facts, lines));
    facts.dibBytes = 20000000;
    facts.portable = 0;
    EXPECT_EQ(0, PasteWarningBlock(facts, lines));
}
