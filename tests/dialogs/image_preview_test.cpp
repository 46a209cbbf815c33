// The image preview: wide, tall, tiny and zero-size pictures fitted into the
// area, a tall captured page cut into pages and stepped through, the timed
// thumbnail's place, large files shown from their screen-size copy, the
// status caption, and cache files that never mix up two pictures of one name.
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "tests/dialogs/image_test_files.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_preview.h"
#include "dialogs/images/image_thumbs.h"
#include "drawing/ai_dib.h"
#include "imaging/ai_image.h"
#include <psapi.h>

namespace {

RECT Rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A picture of one colour (blue, green, red bytes), saved as type.
void WriteFlatImage(const AIString& path, int width, int height, int type, uint8_t blue, uint8_t green, uint8_t red)
{
    AIImage image;
    ASSERT_TRUE(image.Create(width, height, 24));
    for (int y = 0; y < height; y++) {
        uint8_t* row = image.GetBits() + (size_t)y * image.GetStride();
        for (int x = 0; x < width; x++) {
            row[x * 3] = blue;
            row[x * 3 + 1] = green;
            row[x * 3 + 2] = red;
        }
    }
    ASSERT_TRUE(image.Save(path.GetText(), type));
}

int64_t SizeOf(const AIString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.GetText(), GetFileExInfoStandard, &data)) return -1;
    return ((int64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// A memory canvas the preview draws into, read back pixel by pixel.
struct Canvas
{
    AIDib dib;
    HDC dc = nullptr;
    Canvas(int width, int height)
    {
        dib.Create(width, height, 32);
        dc = dib.SelectIntoMemoryDC();
    }
    COLORREF At(int x, int y) { return GetPixel(dc, x, y) & 0xFFFFFF; }
};

}  // namespace

TEST(ImagePreviewLayout, WideTallTinyAndZeroSizePicturesFitTheArea)
{
    RECT area = Rect(0, 0, 500, 500);
    // Wide: 2000 x 1000 is drawn at a quarter of its size, centred.
    PreviewPlacement wide = FitImageIntoArea(area, 2000, 1000, kFitSmallAtOneToOne);
    ASSERT_TRUE(wide.drawn);
    EXPECT_EQ(wide.scale, 4000);
    EXPECT_EQ(ShownPercentOfScale(wide.scale), 25);
    EXPECT_EQ(Text(wide.dest), "0,125,500,375");
    EXPECT_EQ(Text(wide.source), "0,0,2000,1000");
    // Tall: limited by the height.
    PreviewPlacement tall = FitImageIntoArea(Rect(10, 20, 510, 520), 1000, 4000, kFitAlways);
    EXPECT_EQ(tall.scale, 8000);
    EXPECT_EQ(Text(tall.dest), "197,20,322,520");
    // Tiny: 1:1 in the middle on hover, enlarged to fill when asked for.
    PreviewPlacement tiny = FitImageIntoArea(area, 10, 6, kFitSmallAtOneToOne);
    EXPECT_EQ(tiny.scale, kScaleOneToOne);
    EXPECT_EQ(Text(tiny.dest), "245,247,255,253");
    PreviewPlacement asked = FitImageIntoArea(area, 10, 5, kFitAlways);
    EXPECT_EQ(Text(asked.dest), "0,125,500,375");
    // Narrow but taller than the area: fitted by its height, never 1:1 past the bottom.
    PreviewPlacement narrow = FitImageIntoArea(area, 100, 2000, kFitSmallAtOneToOne);
    EXPECT_EQ(narrow.scale, 4000);
    EXPECT_EQ(Text(narrow.dest), "237,0,262,500");
    PreviewPlacement flat = FitImageIntoArea(area, 2000, 100, kFitSmallAtOneToOne);
    EXPECT_EQ(Text(flat.dest), "0,237,500,262");
    // A picture as large as the area is fitted, not shown 1:1 past its edge.
    EXPECT_EQ(Text(FitImageIntoArea(area, 500, 501, kFitSmallAtOneToOne).dest), "0,0,499,500");
    // One pixel in a huge area still divides by something.
    PreviewPlacement dot = FitImageIntoArea(Rect(0, 0, 5000, 5000), 1, 1, kFitAlways);
    EXPECT_TRUE(dot.drawn);
    EXPECT_GT(dot.dest.right - dot.dest.left, 0);
    // Zero-size areas and pictures draw nothing.
    EXPECT_FALSE(FitImageIntoArea(Rect(0, 0, 0, 500), 100, 100, kFitAlways).drawn);
    EXPECT_FALSE(FitImageIntoArea(Rect(0, 0, 500, 0), 100, 100, kFitAlways).drawn);
    EXPECT_FALSE(FitImageIntoArea(Rect(50, 50, 10, 10), 100, 100, kFitAlways).drawn);
    EXPECT_FALSE(FitImageIntoArea(area, 0, 100, kFitAlways).drawn);
    EXPECT_FALSE(FitImageIntoArea(area, 100, 0, kFitSmallAtOneToOne).drawn);
    EXPECT_FALSE(FitImageIntoArea(area, -5, 100, kFitWidthNeverEnlarge).drawn);
    EXPECT_EQ(ShownPercentOfScale(0), 0);
}

TEST(ImagePreviewLayout, CapturedPageFillsTheWidthAndIsCutBelow)
{
    // 800 x 3000 in 500 x 500: scale 1.6, the top 800 rows shown in the whole area.
    PreviewPlacement page = FitImageIntoArea(Rect(0, 0, 500, 500), 800, 3000, kFitWidthNeverEnlarge);
    EXPECT_EQ(page.scale, 1600);
    EXPECT_EQ(Text(page.source), "0,0,800,800");
    EXPECT_EQ(Text(page.dest), "0,0,500,500");
    // A narrow page is never enlarged; it starts at the top.
    PreviewPlacement narrow = FitImageIntoArea(Rect(0, 0, 500, 500), 300, 200, kFitWidthNeverEnlarge);
    EXPECT_EQ(narrow.scale, kScaleOneToOne);
    EXPECT_EQ(Text(narrow.dest), "100,0,400,200");
}

TEST(ImagePreviewLayout, TallPageIsCutIntoPagesAndStepped)
{
    // One column: 600 wide in 1000, slices of 500 rows repeating 30.
    RECT area = Rect(0, 0, 1000, 500 + kPageLabelBand);
    PagedPlacement one = LayoutImagePages(area, 600, 5000, 0, 0);
    ASSERT_EQ(one.drawn, 1);
    EXPECT_EQ(one.pageCount, 11);
    EXPECT_EQ(Text(one.source[0]), "0,0,600,500");
    EXPECT_EQ(Text(one.dest[0]), "200,0,800,500");
    EXPECT_EQ(Text(one.label), "0,500,1000,524");
    PagedPlacement next = LayoutImagePages(area, 600, 5000, one.firstPage, +1);
    EXPECT_EQ(next.firstPage, 1);
    EXPECT_EQ(Text(next.source[0]), "0,470,600,970");  // starts 30 rows above the last cut
    // The last page holds the rest; stepping stays within the pages.
    PagedPlacement last = LayoutImagePages(area, 600, 5000, 10, +1);
    EXPECT_EQ(last.firstPage, 10);
    EXPECT_EQ(Text(last.source[0]), "0,4700,600,5000");
    EXPECT_EQ(last.dest[0].bottom - last.dest[0].top, 300);
    EXPECT_EQ(LayoutImagePages(area, 600, 5000, 0, -1).firstPage, 0);

    // Narrow slices stand side by side, 10 rows repeating; a step moves by a column count.
    PagedPlacement columns = LayoutImagePages(area, 200, 2000, 0, 0);
    ASSERT_EQ(columns.drawn, 4);
    EXPECT_EQ(columns.pageCount, 5);
    EXPECT_EQ(columns.dest[1].left - columns.dest[0].left, 200 + kPageColumnGap);
    EXPECT_EQ(columns.source[1].top, 490);
    PagedPlacement rest = LayoutImagePages(area, 200, 2000, columns.firstPage, +1);
    EXPECT_EQ(rest.firstPage, 4);
    EXPECT_EQ(rest.drawn, 1);
    EXPECT_EQ(LayoutImagePages(area, 200, 2000, rest.firstPage, -1).firstPage, 0);

    // A wide page is reduced to the area's width first.
    PagedPlacement wide = LayoutImagePages(area, 2000, 4000, 0, 0);
    EXPECT_EQ(wide.scale, 2000);
    EXPECT_EQ(wide.pageCount, 5);  // 2000 shown rows in slices of 500 repeating 30
    EXPECT_EQ(Text(wide.source[0]), "0,0,2000,1000");
    // A short picture in one column is one page without a label.
    PagedPlacement shortOne = LayoutImagePages(Rect(0, 0, 700, 524), 600, 300, 0, 0);
    EXPECT_EQ(shortOne.pageCount, 1);
    EXPECT_EQ(shortOne.label.right, shortOne.label.left);
    // Nothing for zero sizes or an area no higher than the label.
    EXPECT_EQ(LayoutImagePages(Rect(0, 0, 1000, kPageLabelBand), 600, 5000, 0, 0).drawn, 0);
    EXPECT_EQ(LayoutImagePages(Rect(0, 0, 0, 800), 600, 5000, 0, 0).drawn, 0);
    EXPECT_EQ(LayoutImagePages(area, 0, 5000, 0, 0).drawn, 0);
}

TEST(ImagePreviewLayout, ThumbnailSitsUnderItsCaption)
{
    RECT preview = Rect(0, 0, 316, 400);
    ThumbnailPlacement icon = LayoutThumbnailPreview(preview, 300, 300, 20, kThumbnailSmall);
    ASSERT_TRUE(icon.drawn);
    EXPECT_EQ(Text(icon.area), "8,8,308,392");
    EXPECT_EQ(icon.captionPoints, 15);
    EXPECT_EQ(Text(icon.caption), "8,8,308,42");
    EXPECT_EQ(icon.shadowOffset, 1);
    EXPECT_EQ(Text(icon.image), "8,67,308,367");  // 100 %: it fits
    // Too large for the room: the largest whole percentage that fits.
    ThumbnailPlacement reduced = LayoutThumbnailPreview(Rect(0, 0, 216, 400), 300, 300, 20, kThumbnailSmall);
    EXPECT_EQ(reduced.image.right - reduced.image.left, 198);
    // The screen-size copy is fitted with a margin.
    ThumbnailPlacement screen = LayoutThumbnailPreview(preview, 1600, 1200, 20, kThumbnailScreen);
    EXPECT_EQ(Text(screen.image), "18,112,298,322");
    // The caption's size stays within 9 and 36 points.
    EXPECT_EQ(LayoutThumbnailPreview(preview, 300, 300, 1000, kThumbnailSmall).captionPoints, kThumbnailCaptionMinPoints);
    EXPECT_EQ(LayoutThumbnailPreview(preview, 300, 300, 0, kThumbnailSmall).captionPoints, kThumbnailCaptionMaxPoints);
    EXPECT_FALSE(LayoutThumbnailPreview(Rect(0, 0, 16, 400), 300, 300, 20, kThumbnailSmall).drawn);
    EXPECT_FALSE(LayoutThumbnailPreview(preview, 0, 0, 20, kThumbnailScreen).drawn);
}

TEST(ImagePreviewCaption, NamesFileSizeNoteAndScale)
{
    AIString text;
    ImagePreviewCaption parts;
    parts.fileName = L"a&b.png";
    parts.place = L"rel:\\images\\a&b.png";
    parts.fileBytes = 2047;
    parts.scale = 4000;
    MakeImagePreviewCaption(parts, text);
    EXPECT_EQ(Utf8(text), "Preview: a&amp;b.png <lgreen>(1 kb)</lgreen> - <grey>rel:\\images\\a&amp;b.png</grey>"
                          " - Scaled Size: 25 %");
    parts.fromThumbnail = 1;
    parts.scale = kScaleOneToOne;
    parts.place = L"";
    MakeImagePreviewCaption(parts, text);
    EXPECT_EQ(Utf8(text), "Preview: a&amp;b.png <lgreen>(1 kb)</lgreen> (automatic thumbnail)");
    parts.noteTitle = L"Trip <2011>";
    MakeImagePreviewCaption(parts, text);
    EXPECT_EQ(Utf8(text), "Click to open note '<lred>Trip &lt;2011&gt;</lred>'");
}

TEST(ImagePreview, DrawsFittedPicturesAndLargeFilesFromTheirCopy)
{
    AIString folder = OwnFolder(L"draw");
    AIString temp = Join(folder, L"temp");
    AIString red = Join(folder, L"red.png");
    WriteFlatImage(red, 200, 100, kImagePng, 0, 0, 255);
    FreeImagePreview();

    Canvas canvas(600, 400);
    ImagePreviewRequest request;
    request.path = red.GetText();
    request.area = Rect(0, 0, 600, 400);
    request.tempFolder = temp.GetText();
    request.screenWidth = 320;
    request.screenHeight = 240;
    request.background = RGB(0, 255, 0);
    ImagePreviewResult result;
    ASSERT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewShown);
    EXPECT_EQ(result.decoded, 1);
    EXPECT_EQ(result.fromThumbnail, 0);
    EXPECT_EQ(result.scale, kScaleOneToOne);
    EXPECT_EQ(canvas.At(300, 200), RGB(255, 0, 0));   // the picture, 1:1 in the middle
    EXPECT_EQ(canvas.At(300, 120), RGB(0, 255, 0));   // above it the background
    EXPECT_EQ(canvas.At(150, 200), RGB(0, 255, 0));
    // Asked for again: the kept picture is drawn, not decoded again.
    ASSERT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewShown);
    EXPECT_EQ(result.decoded, 0);

    // A zero-size area draws nothing and divides by nothing.
    Canvas untouched(50, 50);
    request.area = Rect(10, 10, 10, 40);
    ASSERT_EQ(PaintImagePreviewInto(untouched.dc, request, result), kImagePreviewShown);
    EXPECT_EQ(untouched.At(10, 20), RGB(0, 0, 0));

    // Missing and damaged files.
    AIString missing = Join(folder, L"gone.png");
    request.path = missing.GetText();
    request.area = Rect(0, 0, 600, 400);
    EXPECT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewMissing);
    AIString broken = Join(folder, L"broken.jpg");
    WriteBytes(broken.GetText(), "\xFF\xD8\xFF not a picture");
    request.path = broken.GetText();
    EXPECT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewUnreadable);

    // A small file claiming more pixels than the image library allows is
    // refused by its cap (the byte threshold never stands in for it).
    std::string header("BM", 2);
    auto put32 = [&header](uint32_t v) { for (int i = 0; i < 4; i++) header.push_back((char)(v >> (8 * i))); };
    put32(1000);  // file size
    put32(0);
    put32(54);    // pixel offset
    put32(40);    // header size
    put32(20000); // width
    put32(10000); // height: 200 million pixels
    header.append("\x01\x00\x18\x00", 4);  // one plane, 24 bits
    header.append(24, '\0');
    header.append(946, '\x7f');
    AIString huge = Join(folder, L"huge.bmp");
    WriteBytes(huge.GetText(), header);
    request.path = huge.GetText();
    EXPECT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewUnreadable);

    // The byte threshold: a file of exactly the threshold or more is shown
    // from its screen-size copy, a smaller one itself.
    AIString under = Join(folder, L"under.bmp"), at = Join(folder, L"at.bmp");
    WriteFlatImage(under, 400, 416, kImageBmp, 255, 0, 0);
    WriteFlatImage(at, 400, 417, kImageBmp, 255, 0, 0);
    ASSERT_LT(SizeOf(under), kLargeImageFileBytes);
    ASSERT_GE(SizeOf(at), kLargeImageFileBytes);
    request.path = under.GetText();
    ASSERT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewShown);
    EXPECT_EQ(result.fromThumbnail, 0);
    EXPECT_EQ(result.width, 400);
    request.path = at.GetText();
    ASSERT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewShown);
    EXPECT_EQ(result.fromThumbnail, 1);
    // The screen-size copy is 320 x 240 with the picture fitted in its middle:
    // only the picture is drawn, not the canvas around it.
    EXPECT_EQ(result.width, 230);
    EXPECT_EQ(result.height, 240);
    EXPECT_EQ(canvas.At(150, 200), RGB(0, 255, 0));  // where the copy's white canvas would be
    EXPECT_GT(GetBValue(canvas.At(190, 200)), 200);  // the picture's left edge
    COLORREF copied = canvas.At(300, 200);  // through JPEG: nearly the picture's blue
    EXPECT_GT(GetBValue(copied), 240);
    EXPECT_LT(GetRValue(copied) + GetGValue(copied), 20);
    EXPECT_TRUE(IsLargeImageFile(kLargeImageFileBytes));
    EXPECT_FALSE(IsLargeImageFile(kLargeImageFileBytes - 1));

    // A tall captured page shown page by page is read itself, whatever its size,
    // and the pages step.
    request.pageByPage = 1;
    request.capturedPage = 1;
    request.area = Rect(0, 0, 600, 300 + kPageLabelBand);
    ASSERT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewShown);
    EXPECT_EQ(result.fromThumbnail, 0);
    EXPECT_EQ(result.pageCount, 2);
    request.firstPage = result.page;
    request.pageStep = +1;
    ASSERT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewShown);
    EXPECT_EQ(result.page, 1);
    FreeImagePreview();
}

// Pictures linked from notes that are damaged or built to exhaust memory:
// each is refused, or shown from its screen-size copy, and showing them
// never holds anything near the size the picture claims.
TEST(ImagePreview, HostilePicturesAreRefusedOrShownFromTheirCopyInBoundedMemory)
{
    AIString folder = OwnFolder(L"hostile");
    AIString temp = Join(folder, L"temp");
    AIString png = Join(folder, L"cut.png"), jpg = Join(folder, L"cut.jpg");
    WriteFlatImage(png, 300, 200, kImagePng, 0, 0, 255);
    WriteFlatImage(jpg, 300, 200, kImageJpg, 0, 0, 255);
    std::string pngBytes = ReadBytes(png.GetText()), jpgBytes = ReadBytes(jpg.GetText());
    WriteBytes(png.GetText(), pngBytes.substr(0, pngBytes.size() / 2));
    WriteBytes(jpg.GetText(), jpgBytes.substr(0, jpgBytes.size() / 2));
    // A header claiming 30,000 x 30,000 in a file of a few bytes.
    std::string claim = ZeroPngBytes(8, 8);
    for (int i = 0; i < 8; i++) claim[16 + i] = "\x00\x00\x75\x30\x00\x00\x75\x30"[i];
    std::string ihdr = claim.substr(12, 17);
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : ihdr) {
        crc ^= c;
        for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    crc = ~crc;
    for (int i = 0; i < 4; i++) claim[29 + i] = (char)(crc >> (24 - 8 * i));
    AIString huge = Join(folder, L"claims.png");
    WriteBytes(huge.GetText(), claim);
    // A decompression bomb: 8,000 x 8,000 pixels in a file under the large-file size.
    AIString bomb = Join(folder, L"bomb.png");
    WriteBytes(bomb.GetText(), ZeroPngBytes(8000, 8000));
    ASSERT_LT(SizeOf(bomb), kLargeImageFileBytes);
    int32_t width = 0, height = 0;
    ASSERT_EQ(ReadImageFileSize(bomb.GetText(), &width, &height), 1);
    EXPECT_EQ(width, 8000);
    EXPECT_EQ(height, 8000);
    FreeImagePreview();

    PROCESS_MEMORY_COUNTERS before = {};
    before.cb = sizeof before;
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before));
    Canvas canvas(600, 400);
    ImagePreviewRequest request;
    request.area = Rect(0, 0, 600, 400);
    request.tempFolder = temp.GetText();
    request.screenWidth = 320;
    request.screenHeight = 240;
    ImagePreviewResult result;
    for (const AIString* refused : {&png, &huge}) {
        request.path = refused->GetText();
        EXPECT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewUnreadable) << Utf8(*refused);
    }
    request.path = jpg.GetText();
    ImagePreviewOutcome cut = PaintImagePreviewInto(canvas.dc, request, result);
    EXPECT_TRUE(cut == kImagePreviewUnreadable || (cut == kImagePreviewShown && result.width == 300));

    // The bomb is shown from its copy, hovered, asked for, and as a captured page.
    request.path = bomb.GetText();
    for (int asked = 0; asked < 3; asked++) {
        request.fromCommand = asked == 1;
        request.pageByPage = request.capturedPage = asked == 2;
        ASSERT_EQ(PaintImagePreviewInto(canvas.dc, request, result), kImagePreviewShown) << asked;
        EXPECT_EQ(result.fromThumbnail, 1) << asked;
        EXPECT_LE(result.width, 320);
        EXPECT_LE(result.height, 240);
    }
    FreeImagePreview();
    PROCESS_MEMORY_COUNTERS after = {};
    after.cb = sizeof after;
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after));
    // Held whole the bomb would take 64 MB as grey and four times that as a bitmap.
    const SIZE_T kAllowance = 48u << 20;
    SIZE_T bound = before.WorkingSetSize + kAllowance > before.PeakWorkingSetSize
                       ? before.WorkingSetSize + kAllowance
                       : before.PeakWorkingSetSize;
    EXPECT_LE(after.PeakWorkingSetSize, bound) << "peak " << (after.PeakWorkingSetSize >> 20) << " MB, before "
                                               << (before.WorkingSetSize >> 20) << " MB";

    // The image browser takes such a picture from its copy too, and the copy
    // of a picture of another kind too large to hold is refused unread.
    EXPECT_EQ(ChooseLargeImageSource(SizeOf(bomb), 0, 8000, 8000, 1), kLargeFromThumbnail);
    EXPECT_EQ(ChooseLargeImageSource(SizeOf(bomb), 0, 4096, 4096, 1), kLargeFromFile);
    EXPECT_TRUE(IsTooLargeToHold(4097, 4096));
    EXPECT_FALSE(IsTooLargeToHold(0, 90000));
    std::string bmp("BM", 2);
    auto put32 = [&bmp](uint32_t v) { for (int i = 0; i < 4; i++) bmp.push_back((char)(v >> (8 * i))); };
    put32(0), put32(0), put32(54), put32(40), put32(9000), put32(9000);
    bmp.append("\x01\x00\x08\x00\x01\x00\x00\x00", 8);  // 8 bits, run-length coded
    bmp.append(20, '\0');
    for (int i = 0; i < 256; i++) bmp.append("\x10\x20\x30\x00", 4);
    for (int row = 0; row < 9000; row++) bmp.append("\x00\x02\xff\x00\x00\x02\xff\x00\x00\x02\xff\x00\x00\x00", 14);
    bmp.append("\x00\x01", 2);
    AIString rle = Join(folder, L"bomb.bmp");
    WriteBytes(rle.GetText(), bmp);
    ThumbRequest thumbs;
    thumbs.imagePath = rle.GetText();
    thumbs.tempFolder = temp.GetText();
    thumbs.screenWidth = 320;
    thumbs.screenHeight = 240;
    ThumbResult made;
    EXPECT_EQ(LoadOrMakeThumbFile(thumbs, made), 0);
    EXPECT_NE(Utf8(made.reason).find("too large"), std::string::npos) << Utf8(made.reason);
    thumbs.imagePath = bomb.GetText();
    ASSERT_EQ(LoadOrMakeThumbFile(thumbs, made), 1) << Utf8(made.reason);
    EXPECT_EQ(made.imageWidth, 8000);
    DeleteTree(folder);
}

TEST(ImagePreview, ThumbnailOfTheLinkUnderTheMouse)
{
    AIString folder = OwnFolder(L"thumb");
    AIString picture = Join(folder, L"blue.jpg");
    WriteFlatImage(picture, 640, 480, kImageJpg, 255, 0, 0);
    Canvas canvas(400, 500);
    ThumbnailPreviewRequest request;
    request.path = picture.GetText();
    request.area = Rect(0, 0, 400, 500);
    AIString temp = Join(folder, L"temp");
    request.tempFolder = temp.GetText();
    request.screenWidth = 320;
    request.screenHeight = 240;
    request.mode = kThumbnailScreen;
    ASSERT_EQ(PaintThumbnailPreviewInto(canvas.dc, request), 1);
    ThumbnailPlacement place = LayoutThumbnailPreview(request.area, 320, 240, 17, kThumbnailScreen);
    COLORREF middle = canvas.At((place.image.left + place.image.right) / 2, (place.image.top + place.image.bottom) / 2);
    EXPECT_GT(GetBValue(middle), 200);
    EXPECT_LT(GetRValue(middle), 60);
    request.mode = kThumbnailSmall;
    EXPECT_EQ(PaintThumbnailPreviewInto(canvas.dc, request), 1);
    // Not an image, or nowhere to draw.
    AIString text = Join(folder, L"notes.txt");
    WriteBytes(text.GetText(), "text");
    request.path = text.GetText();
    EXPECT_EQ(PaintThumbnailPreviewInto(canvas.dc, request), 0);
    request.path = picture.GetText();
    request.area = Rect(0, 0, 10, 10);
    EXPECT_EQ(PaintThumbnailPreviewInto(canvas.dc, request), 0);
}

TEST(ImageThumbs, SameNameInTwoFoldersKeepsTwoThumbnails)
{
    AIString one = OwnFolder(L"one"), two = OwnFolder(L"two"), temp = OwnFolder(L"twotemp");
    AIString first = Join(one, L"same.jpg"), second = Join(two, L"same.jpg");
    WriteFlatImage(first, 400, 100, kImageJpg, 0, 0, 255);
    WriteFlatImage(second, 100, 400, kImageJpg, 255, 0, 0);
    ThumbRequest request;
    request.tempFolder = temp.GetText();
    request.screenWidth = 200;
    request.screenHeight = 200;
    ThumbResult a, b;
    request.imagePath = first.GetText();
    ASSERT_EQ(LoadOrMakeThumbFile(request, a), 1) << Utf8(a.reason);
    request.imagePath = second.GetText();
    ASSERT_EQ(LoadOrMakeThumbFile(request, b), 1) << Utf8(b.reason);
    EXPECT_EQ(b.made, 1);  // not taken for the first picture's thumbnail
    EXPECT_NE(Utf8(a.thumbPath), Utf8(b.thumbPath));
    EXPECT_NE(ReadBytes(a.thumbPath.GetText()), ReadBytes(b.thumbPath.GetText()));
    // The same folder written another way names the same files.
    WCHAR upper[MAX_PATH];
    lstrcpynW(upper, first.GetText(), MAX_PATH);
    CharUpperW(upper);
    AIString name1, name2;
    MakeThumbCacheName(first.GetText(), name1);
    MakeThumbCacheName(upper, name2);
    EXPECT_EQ(Utf8(name1).substr(0, 9), "same.jpg~");
    EXPECT_EQ(Utf8(name1).substr(9), Utf8(name2).substr(9));
}

TEST(ImageThumbs, ThePicturesOwnSizeIsRecordedWithItsThumbnail)
{
    int width = 0, height = 0;
    EXPECT_TRUE(ParseImageSizeRecord(L"4000 3000", width, height));
    EXPECT_EQ(width, 4000);
    EXPECT_EQ(height, 3000);
    AIString text;
    FormatImageSizeRecord(7, 123456, text);
    EXPECT_EQ(Utf8(text), "7 123456");
    const WCHAR* const damaged[] = {L"", L"4000", L"4000 ", L" 4000 3000", L"0 5", L"-1 2", L"4000 3000x",
                                    L"4000  3000", L"99999999999 1", L"4000\r\n3000"};
    for (const WCHAR* record : damaged) EXPECT_FALSE(ParseImageSizeRecord(record, width, height)) << Utf8(record);
    EXPECT_FALSE(ParseImageSizeRecord(nullptr, width, height));

    // A large picture is read at a reduced scale for its copy; its own size is kept.
    AIString folder = OwnFolder(L"size"), temp = OwnFolder(L"sizetemp");
    AIString jpeg = Join(folder, L"wide.jpg"), png = Join(folder, L"tall.png");
    WriteFlatImage(jpeg, 2400, 1200, kImageJpg, 10, 200, 30);
    WriteFlatImage(png, 800, 2400, kImagePng, 10, 200, 30);
    AIImage reduced;
    reduced.SetLoadFit(200, 150);
    ASSERT_TRUE(reduced.Load(jpeg.GetText(), kImageJpg));
    EXPECT_LT(reduced.GetWidth(), 2400);
    EXPECT_EQ(reduced.GetFileWidth(), 2400);
    EXPECT_EQ(reduced.GetFileHeight(), 1200);
    ASSERT_TRUE(reduced.Load(png.GetText(), kImagePng));
    EXPECT_LT(reduced.GetHeight(), 2400);
    EXPECT_EQ(reduced.GetFileWidth(), 800);
    EXPECT_EQ(reduced.GetFileHeight(), 2400);
    AIImage whole;
    ASSERT_TRUE(whole.Load(png.GetText(), kImagePng));
    EXPECT_EQ(whole.GetFileHeight(), whole.GetHeight());

    ThumbRequest request;
    request.tempFolder = temp.GetText();
    request.screenWidth = 200;
    request.screenHeight = 150;
    ThumbResult result;
    for (const AIString* picture : {&jpeg, &png}) {
        request.imagePath = picture->GetText();
        ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1) << Utf8(result.reason);
        EXPECT_EQ(result.made, 1);
        int wantWidth = picture == &jpeg ? 2400 : 800, wantHeight = picture == &jpeg ? 1200 : 2400;
        EXPECT_EQ(result.imageWidth, wantWidth);
        EXPECT_EQ(result.imageHeight, wantHeight);
        // Reused: the size comes from the record, not from the padded copy.
        ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1);
        EXPECT_EQ(result.made, 0);
        EXPECT_EQ(result.imageWidth, wantWidth);
        EXPECT_EQ(result.imageHeight, wantHeight);
    }
    // A copy whose record went missing or was damaged is made again with it.
    AIString cacheName, sizePath;
    MakeThumbCacheName(png.GetText(), cacheName);
    MakeThumbPath(temp.GetText(), cacheName.GetText(), kThumbSize, sizePath);
    WriteBytes(sizePath.GetText(), "800 x");
    ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1);
    EXPECT_EQ(result.made, 1);
    EXPECT_EQ(result.imageHeight, 2400);
    EXPECT_EQ(ReadBytes(sizePath.GetText()), "800 2400");
    DeleteFileW(sizePath.GetText());
    ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1);
    EXPECT_EQ(result.made, 1);
    EXPECT_EQ(result.imageWidth, 800);
}
