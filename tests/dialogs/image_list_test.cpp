// The image list: items of scanned names, the list cache written, read and
// damaged, reserved names, the thumbnail and icon caches made, reused and made
// again, and folders of 0, 1 and 1,000 images with a damaged one among them.
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "tests/dialogs/image_test_files.h"
#include "dialogs/images/image_context.h"
#include "dialogs/images/image_list.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_note_lookup.h"
#include "dialogs/images/image_pages.h"
#include "drawing/ai_dib.h"
#include "dialogs/images/image_thumbs.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_table.h"
#include "imaging/ai_image.h"
#include <string>

namespace {

// A small picture of the given size, saved as JPEG or PNG.
void WriteImage(const AIString& path, int width, int height, int type)
{
    AIImage image;
    ASSERT_TRUE(image.Create(width, height, 24));
    uint8_t* bits = image.GetBits();
    for (uint32_t i = 0; i < image.GetStride() * (uint32_t)height; i++) bits[i] = (uint8_t)(i * 7);
    ASSERT_TRUE(image.Save(path.GetText(), type));
}

std::string Items(AIStringTable& list)
{
    std::string out;
    AIString item;
    for (int i = 0; i < list.GetCount(); i++) {
        list.GetItemAtSorted(i, item);
        out += Utf8(item) + "|";
    }
    return out;
}

void SetTime(const WCHAR* path, int64_t shiftSeconds)
{
    HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t t = ((uint64_t)now.dwHighDateTime << 32 | now.dwLowDateTime) + shiftSeconds * 10000000LL;
    FILETIME shifted = {(DWORD)t, (DWORD)(t >> 32)};
    SetFileTime(file, nullptr, nullptr, &shifted);
    CloseHandle(file);
}

ImageListOrigin Build(const AIString& folder, const AIString& cache, ImageScanReport& report, int force = 0)
{
    ImageScanSource source;
    source.imagesFolder = folder.GetText();
    source.cachePath = cache.GetText();
    source.forceRescan = force;
    return BuildImageList(source, report);
}

}  // namespace

TEST(ImageListRules, NamesKeysAndTypes)
{
    EXPECT_TRUE(IsListedImageName(L"Trip_20100101.jpg"));
    EXPECT_TRUE(IsListedImageName(L"a.jpg.txt"));   // the type test looks anywhere
    EXPECT_TRUE(IsListedImageName(L"icon.ico"));    // the decoders read these too
    EXPECT_TRUE(IsListedImageName(L"old.PCX"));
    EXPECT_FALSE(IsListedImageName(L"photo.jpeg"));
    EXPECT_FALSE(IsListedImageName(L".png"));       // nothing before the type
    EXPECT_FALSE(IsListedImageName(L"a.p"));
    EXPECT_FALSE(IsListedImageName(L"notes.txt"));

    AIString key;
    MakeImageListKey(L"Trip_20100101.jpg", key);
    EXPECT_EQ(Utf8(key), "Trip");
    MakeImageListKey(L"logo.png", key);
    EXPECT_EQ(Utf8(key), "logo.png");

    AIStringTable list;
    EXPECT_EQ(AddImageListItem(list, L"Trip_20100101.jpg"), kImageItemAdded);
    EXPECT_EQ(AddImageListItem(list, L"readme.txt"), kImageItemNotImage);
    EXPECT_EQ(AddImageListItem(list, L"a,b.png"), kImageItemReserved);
    EXPECT_EQ(AddImageListItem(list, L"a\x00A4" L"b.png"), kImageItemReserved);
    EXPECT_EQ(AddImageListItem(list, L"[x].png"), kImageItemReserved);
    EXPECT_EQ(AddImageListItem(list, L"half\x00BD.png"), kImageItemReserved);
    list.SortIndex();
    EXPECT_EQ(Items(list), "Trip:rel:\\images\\Trip_20100101.jpg|");

    EXPECT_EQ(CalcImagePageCount(0, 3), 1);
    EXPECT_EQ(CalcImagePageCount(9, 3), 1);
    EXPECT_EQ(CalcImagePageCount(10, 3), 2);
    EXPECT_EQ(CalcImagePageCount(1000, 6), 28);

    // The picture's part of an icon made from a 320 x 200 screen copy: a small
    // picture sits at its own size in the copy's middle; one of the screen's
    // shape fills the copy; unknown sizes give the whole icon.
    RECT part = PictureInIcon(kIconSide, kIconSide, 320, 200, 120, 60);
    EXPECT_EQ(94, part.left);
    EXPECT_EQ(122, part.top);
    EXPECT_EQ(206, part.right);
    EXPECT_EQ(178, part.bottom);
    part = PictureInIcon(kIconSide, kIconSide, 320, 200, 1600, 1000);
    EXPECT_EQ(0, part.left);
    EXPECT_EQ(56, part.top);
    EXPECT_EQ(kIconSide, part.right);
    EXPECT_EQ(244, part.bottom);
    part = PictureInIcon(kIconSide, kIconSide, 320, 200, 100, 4000);  // tall: fitted to the copy's height
    EXPECT_EQ(147, part.left);   // 5 pixels wide in the copy, from 157
    EXPECT_EQ(152, part.right);
    EXPECT_EQ(56, part.top);
    EXPECT_EQ(244, part.bottom);
    part = PictureInIcon(kIconSide, kIconSide, 4000, 3000, 1, 1);  // never thinner than a pixel
    EXPECT_EQ(1, part.right - part.left);
    EXPECT_EQ(1, part.bottom - part.top);
    part = PictureInIcon(kIconSide, kIconSide, 320, 200, 0, 0);
    EXPECT_EQ(0, part.left);
    EXPECT_EQ(kIconSide, part.bottom);

    AIString path;
    MakeThumbPath(L"C:\\t\\Tavik\\", L"a.png", kThumbScreen, path);
    EXPECT_EQ(Utf8(path), "C:\\t\\Tavik\\thumb\\a.png.thumb");
    MakeThumbPath(L"C:\\t\\Tavik", L"a.png", kThumbIcon, path);
    EXPECT_EQ(Utf8(path), "C:\\t\\Tavik\\icon\\a.png.icon");

    FILETIME older = {100, 1}, newer = {200, 1}, later = {50, 2};
    EXPECT_TRUE(IsThumbStale(&newer, nullptr));
    EXPECT_TRUE(IsThumbStale(&newer, &older));
    EXPECT_TRUE(IsThumbStale(&later, &newer));
    EXPECT_FALSE(IsThumbStale(&older, &newer));
    EXPECT_FALSE(IsThumbStale(&newer, &newer));
}

TEST(ImageListRules, CacheTextReadOrRefused)
{
    AIStringTable list;
    const WCHAR good[] = L"b.png:rel:\\images\\b.png\x00A4" L"a:rel:\\images\\a_2011_05231020.jpg\x00A4";
    ASSERT_EQ(ParseImageListCache(good, list), 1);
    EXPECT_EQ(Items(list), "a:rel:\\images\\a_2011_05231020.jpg|b.png:rel:\\images\\b.png|");

    // Empty or damaged: an empty list, so that the folder is scanned.
    const WCHAR* damaged[] = {
        L"",
        L"\x00A4\x00A4",
        L"b.png:rel:\\images\\b.png\x00A4garbage\x00A4",
        L"b:file:C:\\b.png\x00A4",
        L"x:rel:\\images\\b.png\x00A4",              // key not made from the name
        L"b:rel:\\images\\sub\\b.png\x00A4",         // not in the images folder
        L"b:rel:\\images\\b.txt\x00A4",              // not an image
        L"[b:rel:\\images\\b.png\x00A4",             // a bracket swallows the rest
        L"b,c:rel:\\images\\b,c.png\x00A4",
    };
    for (const WCHAR* text : damaged) {
        list.AddItemString(L"left", L"over");
        EXPECT_EQ(ParseImageListCache(text, list), 0) << Utf8(text);
        EXPECT_EQ(list.GetCount(), 0) << Utf8(text);
    }
    EXPECT_EQ(ParseImageListCache(nullptr, list), 0);
}

TEST(ImageList, EmptyOneAndDamagedFolders)
{
    AIString folder = OwnFolder(L"small");
    AIString cache = Join(folder, L"list.cache");
    AIString images = Join(folder, L"images");
    CreateDirectoryW(images.GetText(), nullptr);

    ImageScanReport report;
    EXPECT_EQ(Build(images, cache, report), kImageListScanned);
    EXPECT_EQ(GetImageCount(), 0);
    EXPECT_EQ(CalcImagePageCount(GetImageCount(), 3), 1);
    EXPECT_FALSE(AIFile::Exists(cache.GetText()));

    WriteImage(Join(images, L"One_2011_05231020.png"), 40, 30, kImagePng);
    EXPECT_EQ(Build(images, cache, report), kImageListScanned);
    ASSERT_EQ(GetImageCount(), 1);
    AIString name(L"unchanged");
    EXPECT_EQ(GetImageName(0, name), 1);
    EXPECT_EQ(Utf8(name), "One");
    // One past the end and below it leave the text alone.
    EXPECT_EQ(GetImageName(1, name), 0);
    EXPECT_EQ(GetImageName(-1, name), 0);
    EXPECT_EQ(Utf8(name), "One");
    EXPECT_EQ(GetImageName(kCurrentImageName, name), 0);
    SetCurrentImageIndex(1);
    EXPECT_EQ(GetCurrentImageIndex(), -1);
    SetCurrentImageIndex(0);
    EXPECT_EQ(GetImageName(kCurrentImageName, name), 1);
    EXPECT_EQ(Utf8(name), "rel:\\images\\One_2011_05231020.png");
}

TEST(ImageList, ThumbnailsMadeReusedAndMadeAgain)
{
    AIString folder = OwnFolder(L"thumbs");
    // The temporary folder does not exist yet: it is made with its "thumb" and "icon" folders.
    AIString temp = Join(folder, L"temp\\Tavik");
    AIString wide = Join(folder, L"wide.jpg");
    WriteImage(wide, 400, 100, kImageJpg);
    SetTime(wide.GetText(), -3600);

    ThumbRequest request;
    request.imagePath = wide.GetText();
    request.tempFolder = temp.GetText();
    request.screenWidth = 200;
    request.screenHeight = 150;
    ThumbResult result;
    ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1) << Utf8(result.reason);
    EXPECT_EQ(result.made, 1);
    AIImage thumb, icon;
    ASSERT_TRUE(thumb.Load(result.thumbPath.GetText(), kImageJpg));
    EXPECT_EQ(thumb.GetWidth(), 200);
    EXPECT_EQ(thumb.GetHeight(), 150);
    ASSERT_TRUE(icon.Load(result.iconPath.GetText(), kImageJpg));
    EXPECT_EQ(icon.GetWidth(), kIconSide);
    EXPECT_EQ(icon.GetHeight(), kIconSide);

    // Fresh files are reused.
    ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1);
    EXPECT_EQ(result.made, 0);

    // A changed image (newer than its copies) makes both again.
    WriteImage(wide, 100, 400, kImageJpg);
    SetTime(wide.GetText(), -3600);
    SetTime(result.thumbPath.GetText(), -7200);
    SetTime(result.iconPath.GetText(), -7200);
    ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1) << Utf8(result.reason);
    EXPECT_EQ(result.made, 1);
    std::string before = ReadBytes(result.iconPath.GetText());
    ASSERT_TRUE(thumb.Load(result.thumbPath.GetText(), kImageJpg));
    EXPECT_EQ(thumb.GetWidth(), 200);
    // The icon follows the new thumbnail: taller than wide now, dark canvas at the sides.
    ASSERT_EQ(LoadOrMakeThumbFile(request, result), 1);
    EXPECT_EQ(result.made, 0);
    EXPECT_EQ(ReadBytes(result.iconPath.GetText()), before);

    // A damaged image: skipped with its reason, nothing made, files elsewhere kept.
    AIString broken = Join(folder, L"broken.png");
    WriteBytes(broken.GetText(), "\x89PNG\r\n\x1a\nnot really");
    request.imagePath = broken.GetText();
    EXPECT_EQ(LoadOrMakeThumbFile(request, result), 0);
    EXPECT_FALSE(result.reason.IsEmpty());
    EXPECT_FALSE(AIFile::Exists(result.thumbPath.GetText()));
    // Not an image type at all.
    AIString text = Join(folder, L"notes.txt");
    WriteBytes(text.GetText(), "text");
    request.imagePath = text.GetText();
    EXPECT_EQ(LoadOrMakeThumbFile(request, result), 0);
    EXPECT_EQ(Utf8(result.reason), "not an image type");
}

TEST(ImageList, ThousandImagesCachedPagedAndRescanned)
{
    AIString folder = OwnFolder(L"many");
    AIString cache = Join(folder, L"tavik_images.cache");
    AIString images = Join(folder, L"images");
    CreateDirectoryW(images.GetText(), nullptr);
    AIString first = Join(images, L"n0000_2011_05231020.png");
    WriteImage(first, 8, 8, kImagePng);
    std::string bytes = ReadBytes(first.GetText());
    for (int i = 1; i < 1000; i++) {
        WCHAR name[64];
        wsprintfW(name, L"n%04d_2011_05231020.png", i);
        WriteBytes(Join(images, name).GetText(), bytes);
    }
    WriteBytes(Join(images, L"damaged.jpg").GetText(), "no picture here");
    WriteBytes(Join(images, L"odd,name.png").GetText(), bytes);
    WriteBytes(Join(images, L"readme.txt").GetText(), "x");

    // The scan pumps on the way; it takes every image and skips the reserved name.
    int pumps = 0;
    ImageScanSource source;
    source.imagesFolder = images.GetText();
    source.cachePath = cache.GetText();
    source.context = &pumps;
    source.pump = [](void* context) -> int { return ++*static_cast<int*>(context) > 0; };
    ImageScanReport report;
    ASSERT_EQ(BuildImageList(source, report), kImageListScanned);
    EXPECT_GE(pumps, 1);
    EXPECT_EQ(GetImageCount(), 1001);
    EXPECT_EQ(report.skippedReserved, 1);
    EXPECT_EQ(report.cacheWritten, 1);
    EXPECT_EQ(CalcImagePageCount(GetImageCount(), 3), 112);
    AIString name;
    GetImageName(0, name);
    EXPECT_EQ(Utf8(name), "damaged.jpg");
    GetImageName(1000, name);
    EXPECT_EQ(Utf8(name), "n0999");
    EXPECT_EQ(GetImageName(1001, name), 0);

    // The next build reads the cache; Shift (forced) scans again.
    EXPECT_EQ(Build(images, cache, report), kImageListFromCache);
    EXPECT_EQ(GetImageCount(), 1001);
    EXPECT_EQ(Build(images, cache, report, 1), kImageListScanned);

    // A damaged or empty cache makes a scan, which writes it again.
    WriteBytes(cache.GetText(), std::string("\xFF\xFE" "x\0:\0", 6));
    EXPECT_EQ(Build(images, cache, report), kImageListScanned);
    EXPECT_EQ(GetImageCount(), 1001);
    WriteBytes(cache.GetText(), "\xFF\xFE");
    EXPECT_EQ(Build(images, cache, report), kImageListScanned);
    EXPECT_EQ(report.cacheWritten, 1);
    EXPECT_EQ(Build(images, cache, report), kImageListFromCache);

    // A build asked for while a scan pumps does nothing (the scan goes on).
    struct Reentry
    {
        ImageScanSource source;
        ImageListOrigin inner = kImageListScanned;
    } reentry;
    reentry.source = source;
    reentry.source.forceRescan = 1;
    reentry.source.context = &reentry;
    reentry.source.pump = [](void* context) -> int {
        auto* r = static_cast<Reentry*>(context);
        ImageScanReport innerReport;
        r->inner = BuildImageList(r->source, innerReport);
        return 1;
    };
    ASSERT_EQ(BuildImageList(reentry.source, report), kImageListScanned);
    EXPECT_EQ(reentry.inner, kImageListBusy);
    EXPECT_EQ(GetImageCount(), 1001);

    // A scan stopped because the data file changed during a pump leaves an empty list.
    source.forceRescan = 1;
    source.stillWanted = [](void*) -> int { return 0; };
    EXPECT_EQ(BuildImageList(source, report), kImageListAbandoned);
    EXPECT_EQ(GetImageCount(), 0);
}

TEST(ImageList, TheWayBackFromAPictureToItsNote)
{
    const WCHAR datafile[] =
        L"Tavik 10\r\n"
        L"\x00A4" L"Books_to_read\r\nNothing here.\r\n{{\r\n}}\r\n"
        L"\x00A4" L"Trip_to_the_coast\r\nSee [Photo]\r\n{{\r\nPhoto:rel:\\images\\TRIP_2011_05231020.png\r\n}}\r\n"
        L"\x00A4" L"A_title_far_longer_than_forty_characters_in_all\r\n{{\r\nx:rel:\\images\\long.jpg\r\n}}\r\n"
        L"\x00A4" L"Reading_list\r\nSee [web1] and [web2]\r\n{{\r\n[web1:http://www.example.com/newsroom/old]\r\n"
        L"[web2:https://www.Example.com/news/today]\r\n}}\r\n";
    int length = lstrlenW(datafile);
    AIStringTable captures;
    captures.AddItemString(L"wwwsitecom", L"http://www.site.com");
    AIString title;
    EXPECT_EQ(FindNoteOfImageFile(datafile, length, L"trip_2011_05231020.png", &captures, title), 1);
    EXPECT_EQ(Utf8(title), "Trip to the coast");
    EXPECT_EQ(FindNoteOfImageFile(datafile, length, L"long.jpg", &captures, title), 1);
    EXPECT_EQ(title.GetLength(), kImageNoteTitleMaxChars);
    // A captured picture no note links: the page it came from.
    EXPECT_EQ(FindNoteOfImageFile(datafile, length, L"wwwsitecom.png", &captures, title), 1);
    EXPECT_EQ(Utf8(title), "http://www.site.com");
    // A picture captured from a page is named after its address: the note
    // that links the address, found past an address of the same beginning.
    EXPECT_EQ(FindNoteOfImageFile(datafile, length, L"wwwexamplecomnewstoday.png", nullptr, title), 1);
    EXPECT_EQ(Utf8(title), "Reading list");
    EXPECT_EQ(FindNoteOfImageFile(datafile, length, L"wwwexamplecomnewstomorrow.png", nullptr, title), 0);
    EXPECT_EQ(FindNoteOfImageFile(datafile, length, L"nowhere.png", &captures, title), 0);
    EXPECT_TRUE(title.IsEmpty());
    EXPECT_EQ(FindNoteOfImageFile(datafile, length, L"", nullptr, title), 0);
    EXPECT_EQ(FindNoteOfImageFile(nullptr, 0, L"nowhere.png", nullptr, title), 0);
}

TEST(ImageList, TheLabelAPictureGoesByInItsNote)
{
    const WCHAR note[] = L"Mentions sea.png in passing [Sea view]\r\n{{\r\n[web1:http://a.b/c]\r\n"
                         L"Sea view:rel:\\images\\SEA.png\r\n[Map:file:C:\\maps\\hills.jpg]\r\n}}";
    int length = lstrlenW(note);
    AIString label;
    EXPECT_EQ(ImageLinkLabelOf(note, length, L"sea.png", label), 1);
    EXPECT_EQ(Utf8(label), "Sea view");
    EXPECT_EQ(ImageLinkLabelOf(note, length, L"hills.jpg", label), 1);
    EXPECT_EQ(Utf8(label), "Map");
    EXPECT_EQ(ImageLinkLabelOf(note, length, L"absent.png", label), 0);
    EXPECT_TRUE(label.IsEmpty());
    // Named only in the text, without a link block: no label.
    const WCHAR plain[] = L"sea.png";
    EXPECT_EQ(ImageLinkLabelOf(plain, lstrlenW(plain), L"sea.png", label), 0);
}

TEST(ImageListRules, TheNotesPicturesFromItsLinks)
{
    AIStringTable links;
    links.AddItemString(L"Photo", L"rel:\\images\\Trip_2011_05231020.png");
    links.AddItemString(L"Scan", L"file:C:\\scans\\page.TIF");
    links.AddItemString(L"Icon", L"rel:\\images\\old.ico");
    links.AddItemString(L"Doc", L"file:C:\\docs\\report.pdf");
    links.AddItemString(L"Site", L"http://example.org/logo.png");
    links.AddItemString(L"Page", L"http://example.org/index.html");
    links.AddItemString(L"Odd", L"note:elsewhere.png");
    AIStringTable list;
    auto webImage = [](const WCHAR* item) -> int { return AIString(item).EndsWithNoCase(L".png"); };
    EXPECT_EQ(CollectNoteImageItems(links, webImage, list), 4);
    EXPECT_EQ(Items(list), "Icon:rel:\\images\\old.ico|Photo:rel:\\images\\Trip_2011_05231020.png|"
                           "Scan:file:C:\\scans\\page.TIF|Site:http://example.org/logo.png|");
    // Without a way to tell web pictures, only files are taken; an empty table gives none.
    EXPECT_EQ(CollectNoteImageItems(links, nullptr, list), 3);
    AIStringTable none;
    EXPECT_EQ(CollectNoteImageItems(none, webImage, list), 0);
}

TEST(ImageList, PagesOfZeroOneAndManyPictures)
{
    ImagePaging paging;
    paging.gridSize = 9;
    UpdateImagePaging(paging, 0);
    EXPECT_EQ(paging.gridSize, kMaxGridSize);
    EXPECT_EQ(paging.pageCount, 1);
    EXPECT_EQ(ImageIndexOfCell(paging, 0, 0), -1);
    UpdateImagePaging(paging, 1);
    EXPECT_EQ(ImageIndexOfCell(paging, 0, 1), 0);
    EXPECT_EQ(ImageIndexOfCell(paging, 1, 1), -1);
    paging.gridSize = 3;
    paging.page = 112;
    UpdateImagePaging(paging, 1000);
    EXPECT_EQ(paging.pageCount, 112);
    EXPECT_EQ(ImageIndexOfCell(paging, 0, 1000), 999);
    EXPECT_EQ(ImageIndexOfCell(paging, 1, 1000), -1);
    EXPECT_EQ(ImageIndexOfCell(paging, 9, 1000), -1);
    // Fewer pictures now: the page follows.
    UpdateImagePaging(paging, 10);
    EXPECT_EQ(paging.page, 2);
    EXPECT_EQ(ImageIndexOfCell(paging, 0, 10), 9);
}

TEST(ImageList, SlotsHoldTheFirstPicturesAndADamagedOneStaysEmpty)
{
    AIString folder = OwnFolder(L"slots");
    AIString cache = Join(folder, L"cache");
    AIString images = Join(folder, L"images");
    AIString temp = Join(folder, L"temp");
    CreateDirectoryW(images.GetText(), nullptr);
    AIString first = Join(images, L"a_2011_05231020.png");
    WriteImage(first, 120, 60, kImagePng);
    std::string bytes = ReadBytes(first.GetText());
    for (int i = 0; i < 44; i++) {
        WCHAR name[64];
        wsprintfW(name, L"p%02d.png", i);
        WriteBytes(Join(images, name).GetText(), bytes);
    }
    WriteBytes(Join(images, L"b_damaged.jpg").GetText(), "not a picture");
    ImageScanReport scan;
    // Full paths as items: the data folder is not this test's.
    ASSERT_EQ(Build(images, cache, scan), kImageListScanned);
    ASSERT_EQ(GetImageCount(), 46);

    struct Counter
    {
        int pumps = 0;
    } counter;
    ThumbnailLoad load;
    load.tempFolder = temp.GetText();
    load.screenWidth = 320;
    load.screenHeight = 200;
    load.limit = GetImageCount();
    load.context = &counter;
    load.pump = [](void* context) -> int { return ++static_cast<Counter*>(context)->pumps > 0; };
    // Items resolve against the data folder; here they are made full paths.
    AIStringTable& list = GetImageListTable();
    AIString value, name;
    for (int i = 0; i < list.GetCount(); i++) {
        list.GetKeyAt(i, name);
        list.GetValueAt(i, value);
        ImageFileNameOf(value.GetText(), value);
        list.SetKeyValueString(name.GetText(), Join(images, value.GetText()).GetText());
    }
    FreeThumbnailSlots();
    ThumbnailReport report;
    PrepareThumbnails(load, report);
    EXPECT_EQ(report.prepared, 45);
    EXPECT_EQ(report.made, 45);
    EXPECT_EQ(report.skipped, 1);
    EXPECT_FALSE(report.lastReason.IsEmpty());
    EXPECT_EQ(counter.pumps, 46);
    EXPECT_EQ(GetThumbnailSlot(0)->GetWidth(), kIconSide);   // a_...
    EXPECT_EQ(GetThumbnailSlot(1)->GetHBitmap(), nullptr);   // b_damaged.jpg
    EXPECT_EQ(GetThumbnailSlot(2)->GetWidth(), kIconSide);
    EXPECT_EQ(GetThumbnailSlot(kThumbnailSlots), nullptr);
    // The icons are padded squares; each slot knows its picture's own size.
    EXPECT_EQ(GetThumbnailSlotImageSize(0).cx, 120);
    EXPECT_EQ(GetThumbnailSlotImageSize(0).cy, 60);
    EXPECT_EQ(GetThumbnailSlotImageSize(1).cx, 0);
    EXPECT_EQ(GetThumbnailSlotImageSize(kThumbnailSlots).cx, 0);

    // Again: slots already loaded are kept, files are reused.
    PrepareThumbnails(load, report);
    EXPECT_EQ(report.made, 0);
    // A change seen after a pump stops the load.
    FreeThumbnailSlots();
    load.stillWanted = [](void*) -> int { return 0; };
    PrepareThumbnails(load, report);
    EXPECT_EQ(report.stopped, 1);
    EXPECT_EQ(report.prepared, 1);
    FreeThumbnailSlots();
    ClearImageList();
}

TEST(ImageListRules, LargeViewFromTheFileOrItsScreenCopy)
{
    // A 600,000-byte picture wider than tall shows its copy; three times taller
    // than wide (its real size, not its padded square icon) the file itself.
    EXPECT_EQ(ChooseLargeImageSource(600000, 0, 1600, 1200, 0), kLargeFromThumbnail);
    EXPECT_EQ(ChooseLargeImageSource(600000, 0, 1000, 3000, 0), kLargeFromFile);
    EXPECT_EQ(ChooseLargeImageSource(600000, 0, 300, 300, 0), kLargeFromThumbnail);
    EXPECT_EQ(ChooseLargeImageSource(600000, 0, 0, 0, 0), kLargeFromThumbnail);
    EXPECT_EQ(ChooseLargeImageSource(499999, 0, 1600, 1200, 0), kLargeFromFile);
    EXPECT_EQ(ChooseLargeImageSource(600000, 0, 1600, 1200, 1), kLargeFromFile);
    EXPECT_EQ(ChooseLargeImageSource(1000, 1, 10, 30, 1), kLargeFromThumbnail);
}

TEST(ImageListRules, TheParagraphAroundAPicturesLink)
{
    const WCHAR note[] =
        L"# Trip\r\nWe drove north.\r\n\r\nThe view from the top [Photo] was worth the climb.\r\n"
        L"It rained later.\r\n\r\n## Items\r\n- boots\r\n- the map [Map]\r\n- water\r\n";
    int length = lstrlenW(note);
    AIString out;
    ASSERT_EQ(GetImageContextText(note, length, L"Photo", out), 1);
    EXPECT_EQ(Utf8(out), "The view from the top [Photo] was worth the climb. It rained later.");
    ASSERT_EQ(GetImageContextText(note, length, L"Map", out), 1);
    EXPECT_EQ(Utf8(out), "the map [Map]");
    EXPECT_EQ(GetImageContextText(note, length, L"None", out), 0);
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(GetImageContextText(note, 0, L"Photo", out), 0);

    // The note's link block is no part of its last paragraph.
    const WCHAR withBlock[] = L"A [tall] one\r\n{{\r\ntall:rel:\\images\\tall.bmp\r\n}}";
    ASSERT_EQ(GetImageContextText(withBlock, lstrlenW(withBlock), L"tall", out), 1);
    EXPECT_EQ(Utf8(out), "A [tall] one");

    // A long paragraph is cut to 200 characters; tabs and "#" go.
    AIString longNote(L"Start\t#");
    for (int i = 0; i < 60; i++) longNote.AppendText(L"word ");
    longNote.AppendText(L"[Pic] end");
    ASSERT_EQ(GetImageContextText(longNote.GetText(), longNote.GetLength(), L"Pic", out), 1);
    EXPECT_EQ(out.GetLength(), kImageContextMaxChars);
    EXPECT_LT(out.FindChar(L'\t'), 0);
    EXPECT_LT(out.FindChar(L'#'), 0);
}

TEST(ImageList, GridCellsFitTheAreaAndAreHit)
{
    RECT cells[kThumbnailSlots];
    RECT wide = {0, 0, 615, 415};
    // Nine pictures on a 3 x 3 page: three columns of 200 x 130.
    ASSERT_EQ(LayoutThumbnailGrid(wide, 100, 3, cells, kThumbnailSlots), 9);
    EXPECT_EQ(cells[0].left, 10);
    EXPECT_EQ(cells[0].top, 5);
    EXPECT_EQ(cells[0].right - cells[0].left, 195);
    EXPECT_EQ(cells[1].left, 10 + 195 + 5);
    EXPECT_EQ(cells[3].top, 5 + 133);
    for (int k = 0; k < 9; k++) {
        EXPECT_LE(cells[k].right, wide.right);
        EXPECT_LE(cells[k].bottom, wide.bottom);
    }
    EXPECT_EQ(HitTestThumbnailCell(cells, 9, cells[4].left + 1, cells[4].top + 1), 4);
    EXPECT_EQ(HitTestThumbnailCell(cells, 9, cells[4].left, cells[4].top + 1), -1);  // the edge is outside
    EXPECT_EQ(HitTestThumbnailCell(cells, 9, 2, 2), -1);
    // A tall narrow area loses columns; a tiny one holds nothing; no pictures, no cells.
    RECT tall = {0, 0, 415, 1015};
    ASSERT_EQ(LayoutThumbnailGrid(tall, 9, 3, cells, kThumbnailSlots), 9);
    EXPECT_EQ(cells[1].top, cells[0].top);  // two columns, not three
    EXPECT_NE(cells[2].top, cells[0].top);
    RECT narrow = {0, 0, 215, 1615};
    ASSERT_EQ(LayoutThumbnailGrid(narrow, 9, 3, cells, kThumbnailSlots), 9);
    EXPECT_NE(cells[1].top, cells[0].top);  // one column
    RECT tiny = {0, 0, 20, 20};
    EXPECT_EQ(LayoutThumbnailGrid(tiny, 9, 3, cells, kThumbnailSlots), 0);
    EXPECT_EQ(LayoutThumbnailGrid(wide, 0, 3, cells, kThumbnailSlots), 0);
    // At most forty cells even on a 6 x 6 page of a long list.
    RECT big = {0, 0, 2000, 2000};
    EXPECT_EQ(LayoutThumbnailGrid(big, 1000, 6, cells, kThumbnailSlots), 36);

    // Pictures keep their aspect inside a cell, centred.
    RECT cell = {0, 0, 200, 100};
    RECT fitted = FitIntoCell(cell, 400, 100);
    EXPECT_EQ(fitted.left, 0);
    EXPECT_EQ(fitted.top, 25);
    EXPECT_EQ(fitted.bottom, 75);
    fitted = FitIntoCell(cell, 100, 300);
    EXPECT_EQ(fitted.right - fitted.left, 33);
    EXPECT_EQ(fitted.bottom - fitted.top, 100);
}
