// The current note's pictures as the main window's grid: prepared from the
// note's links (pictures only), prepared again only when the note or its
// links change, drawn with an empty cell for a missing picture, and left
// alone while full-text search shows.
#include "tests/support/gtest.h"
#include "tests/notestore/store_test_files.h"
#include "dialogs/images/image_list.h"
#include "dialogs/images/image_page_paint.h"
#include "drawing/ai_dib.h"
#include "foundation/ai_string_table.h"
#include "imaging/ai_image.h"

namespace {

void SaveSmallPicture(const AIString& path, int width, int height, int type)
{
    AIImage image;
    ASSERT_TRUE(image.Create(width, height, 24));
    uint8_t* bits = image.GetBits();
    for (uint32_t i = 0; i < image.GetStride() * (uint32_t)height; i++) bits[i] = (uint8_t)(i * 11);
    ASSERT_TRUE(image.Save(path.GetText(), type));
}

void SavePlainPicture(const AIString& path, int width, int height, uint8_t red, uint8_t green, uint8_t blue)
{
    AIImage image;
    ASSERT_TRUE(image.Create(width, height, 24));
    for (int y = 0; y < height; y++) {
        uint8_t* row = image.GetBits() + (size_t)image.GetStride() * y;
        for (int x = 0; x < width; x++) {
            row[x * 3] = blue;
            row[x * 3 + 1] = green;
            row[x * 3 + 2] = red;
        }
    }
    ASSERT_TRUE(image.Save(path.GetText(), kImagePng));
}

void AddLink(AIStringTable& links, const WCHAR* label, const AIString& folder, const WCHAR* name)
{
    AIString target(L"file:");
    target.AppendString(folder).AppendText(name);
    links.AddItemString(label, target.GetText());
}

// A 3 x 3 page of a note's pictures, made for a screen of the given size.
ImagePageRequest NoteRequest(int32_t noteIndex, const AIStringTable& links, const AIString& temp, int screenWidth,
                             int screenHeight)
{
    ImagePageRequest request;
    request.noteIndex = noteIndex;
    request.links = &links;
    request.gridSize = 3;
    request.load.tempFolder = temp.GetText();
    request.load.screenWidth = screenWidth;
    request.load.screenHeight = screenHeight;
    return request;
}

}  // namespace

TEST(ImagePagePaint, TheNotesPicturesArePreparedOnceAndDrawnWithMissingOnesEmpty)
{
    ScratchFolder folder;
    SaveSmallPicture(folder.File(L"a.png"), 40, 30, kImagePng);
    SaveSmallPicture(folder.File(L"b.jpg"), 30, 40, kImageJpg);
    SaveSmallPicture(folder.File(L"d.png"), 20, 20, kImagePng);
    AIString temp = folder.File(L"temp");
    CreateDirectoryW(temp.GetText(), nullptr);
    AIStringTable links;
    AddLink(links, L"Alpha", folder.Path(), L"a.png");
    AddLink(links, L"Beta", folder.Path(), L"b.jpg");
    AddLink(links, L"Gone", folder.Path(), L"gone.png");
    AddLink(links, L"Letter", folder.Path(), L"letter.txt");

    ImagePageRequest request = NoteRequest(5, links, temp, 800, 600);
    AIDib canvas;
    ASSERT_TRUE(canvas.Create(400, 300, 32));
    HDC dc = canvas.SelectIntoMemoryDC();
    ASSERT_TRUE(dc);
    RECT area = {0, 0, 400, 300};
    ForgetImagePage();

    ImagePageResult first = PrepareImagePage(dc, area, request);
    EXPECT_EQ(3, first.count);  // the text file is no picture
    EXPECT_EQ(3, first.cellsDrawn);
    EXPECT_FALSE(GetThumbnailSlot(0)->IsEmpty());
    EXPECT_TRUE(GetThumbnailSlot(2)->IsEmpty());  // "Gone" has no file
    // The missing picture's cell is drawn empty; the mouse finds it.
    int left = 400, top = 300, right = 0, bottom = 0;
    for (int y = 0; y < 300; y += 2)
        for (int x = 0; x < 400; x += 2)
            if (HitTestImagePage(x, y) == 2) {
                if (x < left) left = x;
                if (x > right) right = x;
                if (y < top) top = y;
                if (y > bottom) bottom = y;
            }
    ASSERT_LT(left, right);
    EXPECT_EQ(RGB(250, 250, 250), GetPixel(dc, (left + right) / 2, (top + bottom) / 2));

    // The same note with the same links: drawn, not prepared again.
    HBITMAP kept = GetThumbnailSlot(0)->GetHBitmap();
    ImagePageResult again = PrepareImagePage(dc, area, request);
    EXPECT_EQ(3, again.cellsDrawn);
    EXPECT_EQ(kept, GetThumbnailSlot(0)->GetHBitmap());
    // A new link is taken up.
    AddLink(links, L"Delta", folder.Path(), L"d.png");
    ImagePageResult more = PrepareImagePage(dc, area, request);
    EXPECT_EQ(4, more.count);
    EXPECT_EQ(4, more.cellsDrawn);
    // The image browser listed the whole folder meanwhile: the note's
    // pictures are collected again.
    AIString scanned(folder.Path());
    scanned.DeleteRange(scanned.GetLength() - 1, 1);
    ImageScanSource source;
    source.imagesFolder = scanned.GetText();
    ImageScanReport report;
    ASSERT_EQ(kImageListScanned, BuildImageList(source, report));
    ASSERT_EQ(3, GetImageCount());
    EXPECT_EQ(4, PrepareImagePage(dc, area, request).count);
    EXPECT_EQ(4, GetImageCount());
    // While full-text search shows nothing is prepared or drawn.
    request.searchMode = 1;
    links.AddItemString(L"Epsilon", L"file:C:\\nowhere\\e.png");
    ImagePageResult searching = PrepareImagePage(dc, area, request);
    EXPECT_EQ(4, searching.count);
    EXPECT_EQ(0, searching.cellsDrawn);
    // A note without pictures: nothing to draw.
    request.searchMode = 0;
    AIStringTable none;
    request.links = &none;
    request.noteIndex = 6;
    ImagePageResult empty = PrepareImagePage(dc, area, request);
    EXPECT_EQ(0, empty.count);
    EXPECT_EQ(0, empty.cellsDrawn);
    EXPECT_EQ(-1, HitTestImagePage(200, 150));
    canvas.ReleaseMemoryDC();
    FreeThumbnailSlots();
    ClearImageList();
}

TEST(ImagePagePaint, ACellShowsThePictureWithoutTheCopysPaddingOrTheIconsBands)
{
    ScratchFolder folder;
    // A wide red picture, much smaller than the screen: its copy pads it with
    // white, and the square icon adds dark bands above and below the copy.
    SavePlainPicture(folder.File(L"wide.png"), 200, 100, 220, 20, 20);
    AIString temp = folder.File(L"temp");
    CreateDirectoryW(temp.GetText(), nullptr);
    AIStringTable links;
    AddLink(links, L"Wide", folder.Path(), L"wide.png");
    ImagePageRequest request = NoteRequest(7, links, temp, 1024, 768);
    AIDib canvas;
    ASSERT_TRUE(canvas.Create(400, 300, 32));
    HDC dc = canvas.SelectIntoMemoryDC();
    ASSERT_TRUE(dc);
    RECT area = {0, 0, 400, 300};
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    FillRect(dc, &area, green);
    DeleteObject(green);
    ForgetImagePage();
    ASSERT_EQ(1, PrepareImagePage(dc, area, request).cellsDrawn);

    // The picture fills its cell's width in its own shape, and the grid shows
    // neither the copy's white nor the icon's dark canvas.
    RECT red = {400, 300, -1, -1};
    int white = 0;
    for (int y = 0; y < 300; y++)
        for (int x = 0; x < 400; x++) {
            COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) > 180 && GetGValue(c) < 70 && GetBValue(c) < 70) {
                if (x < red.left) red.left = x;
                if (x > red.right) red.right = x;
                if (y < red.top) red.top = y;
                if (y > red.bottom) red.bottom = y;
            }
            if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) white++;
        }
    EXPECT_EQ(0, white);
    int width = red.right - red.left + 1, height = red.bottom - red.top + 1;
    EXPECT_GT(width, 300);
    EXPECT_NEAR(2.0, (double)width / height, 0.1) << width << " x " << height;
    // Inside the picture's outermost icon pixels (about 7 pixels here), which
    // the icon's compression blends with the padding.
    const int edge = 8;
    int notRed = 0;
    for (int y = red.top + edge; y <= red.bottom - edge; y++)
        for (int x = red.left + edge; x <= red.right - edge; x++)
            if (GetRValue(GetPixel(dc, x, y)) < 180) notRed++;
    EXPECT_EQ(0, notRed);
    canvas.ReleaseMemoryDC();
    FreeThumbnailSlots();
    ClearImageList();
}
