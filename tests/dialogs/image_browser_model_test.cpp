// The image browser's navigation rules: pages of 0, 1, 40 and 1,000 images,
// the grid's keys, the single view, the slideshow's steps and interval, the
// wheel, and where a large picture is drawn.
#include "tests/support/gtest.h"
#include "dialogs/images/image_browser_model.h"

namespace {

ImageBrowserModel Browser(int count, int gridSize = 3)
{
    ImageBrowserModel model;
    model.paging.gridSize = gridSize;
    ResetImageBrowser(model, count);
    return model;
}

int Key(ImageBrowserModel& model, WPARAM key, int shift = 0, int ctrl = 0)
{
    BrowserKeyState keys;
    keys.shift = shift;
    keys.ctrl = ctrl;
    return ImageBrowserKey(model, key, keys);
}

}  // namespace

TEST(ImageBrowserModel, PagesOfNoneOneFortyAndAThousandImages)
{
    struct {
        int count, pages, lastPageFirst;
    } const cases[] = {{0, 1, 0}, {1, 1, 0}, {40, 5, 36}, {1000, 112, 999}};
    for (const auto& c : cases) {
        ImageBrowserModel model = Browser(c.count);
        EXPECT_EQ(c.pages, model.paging.pageCount) << c.count;
        Key(model, VK_END);
        EXPECT_EQ(c.pages, model.paging.page) << c.count;
        EXPECT_EQ(c.count - 1, model.current) << c.count;
        // Page Down on the last page does nothing.
        EXPECT_EQ(kBrowserNothing, Key(model, VK_NEXT)) << c.count;
        EXPECT_EQ(c.pages, model.paging.page);
        Key(model, VK_HOME);
        EXPECT_EQ(1, model.paging.page);
    }
    // Digits jump pages within the list: 9 on page 3 of 5 goes to page 5;
    // 0 jumps ten, Shift goes back.
    ImageBrowserModel five = Browser(40);
    GoToBrowserPage(five, 3);
    EXPECT_EQ(kBrowserPageChanged | kBrowserRepaint, Key(five, '9'));
    EXPECT_EQ(5, five.paging.page);
    ImageBrowserModel many = Browser(1000);
    Key(many, '0');
    EXPECT_EQ(11, many.paging.page);
    Key(many, '4', 1);
    EXPECT_EQ(7, many.paging.page);
    Key(many, '0', 1);
    EXPECT_EQ(1, many.paging.page);
    // A grid size change goes back to page 1 and counts the pages again.
    EXPECT_TRUE(Key(many, '6', 0, 1) & kBrowserPageChanged);
    EXPECT_EQ(28, many.paging.pageCount);  // 1000 / 36
}

TEST(ImageBrowserModel, GridKeysMoveTheHoveredCellWithinThePageAndTheList)
{
    ImageBrowserModel model = Browser(5);  // 3 x 3 grid, 5 images: two rows
    Key(model, VK_RIGHT);
    EXPECT_EQ(0, model.hover);
    EXPECT_EQ(0, model.current);
    for (int i = 0; i < 6; i++) Key(model, VK_RIGHT);
    EXPECT_EQ(4, model.hover);  // the last image, not beyond
    Key(model, VK_DOWN);
    EXPECT_EQ(4, model.hover);  // no image below
    Key(model, VK_UP);
    EXPECT_EQ(1, model.hover);
    EXPECT_EQ(1, model.current);
    Key(model, VK_DOWN);
    EXPECT_EQ(4, model.hover);
    // Enter on a hovered cell shows it large; Escape goes back; Enter with no
    // cell hovered closes.
    int effects = Key(model, VK_RETURN);
    EXPECT_TRUE(effects & kBrowserLoadImage);
    EXPECT_EQ(1, model.single);
    EXPECT_EQ(4, model.current);
    Key(model, VK_ESCAPE);
    EXPECT_EQ(0, model.single);
    EXPECT_EQ(-1, model.hover);
    EXPECT_EQ(kBrowserClose, Key(model, VK_RETURN));
    EXPECT_EQ(kBrowserClose, Key(model, VK_ESCAPE));
    EXPECT_EQ(kBrowserClose, Key(model, 'Q'));
}

TEST(ImageBrowserModel, SingleViewStepsThroughTheListAndLeavesOnThePageOfItsImage)
{
    ImageBrowserModel model = Browser(12);
    OpenBrowserImage(model, 8);
    EXPECT_TRUE(Key(model, VK_SPACE) & kBrowserLoadImage);
    EXPECT_EQ(9, model.current);
    Key(model, VK_END);
    EXPECT_EQ(11, model.current);
    EXPECT_EQ(kBrowserNothing, Key(model, VK_RIGHT));  // the last image stays
    EXPECT_EQ(11, model.current);
    Key(model, VK_HOME);
    EXPECT_EQ(kBrowserNothing, Key(model, VK_LEFT));
    EXPECT_EQ(0, model.current);
    OpenBrowserImage(model, 10);
    EXPECT_TRUE(Key(model, VK_RETURN) & kBrowserPageChanged);
    EXPECT_EQ(0, model.single);
    EXPECT_EQ(2, model.paging.page);  // the grid shows the page of image 10
    // Up and Down scroll only a tall picture.
    OpenBrowserImage(model, 3);
    EXPECT_EQ(kBrowserNothing, Key(model, VK_DOWN));
    model.scrollable = 1;
    Key(model, VK_DOWN);
    Key(model, VK_DOWN);
    Key(model, VK_UP);
    EXPECT_EQ(1, model.scrollStep);
    ImageBrowserWheel(model, -1, 1);
    ImageBrowserWheel(model, -1, 1);
    EXPECT_EQ(0, model.scrollStep);
    ImageBrowserWheel(model, 1, 0);  // without Shift the wheel steps images
    EXPECT_EQ(4, model.current);
}

TEST(ImageBrowserModel, SlideshowStartsAtTheHoveredImageWrapsAndKeepsItsInterval)
{
    ImageBrowserModel empty = Browser(0);
    EXPECT_EQ(kBrowserNothing, Key(empty, 'S'));  // nothing to show
    EXPECT_EQ(0, empty.slideshow);
    EXPECT_EQ(-1, empty.current);

    ImageBrowserModel model = Browser(20);
    GoToBrowserPage(model, 2);
    model.hover = 2;
    int effects = Key(model, 'S');
    EXPECT_TRUE(effects & kBrowserStartSlideshow);
    EXPECT_TRUE(effects & kBrowserLoadImage);
    EXPECT_EQ(1, model.slideshow);
    EXPECT_EQ(1, model.single);
    EXPECT_EQ(11, model.current);
    EXPECT_EQ(3000, model.slideshowMs);
    Key(model, 'S');
    EXPECT_EQ(4000, model.slideshowMs);
    for (int i = 0; i < 5; i++) Key(model, 'S', 1);
    EXPECT_EQ(kSlideshowMinMs, model.slideshowMs);  // never below a second
    Key(model, '1', 0, 1);                           // Ctrl+1 is the same as S
    EXPECT_EQ(2000, model.slideshowMs);
    for (int i = 0; i < 8; i++) SlideshowTick(model);
    EXPECT_EQ(19, model.current);
    EXPECT_TRUE(SlideshowTick(model) & kBrowserLoadImage);
    EXPECT_EQ(0, model.current);  // after the last the first
    // Arrow keys step within the show; other keys end it.
    Key(model, VK_RIGHT);
    EXPECT_EQ(1, model.slideshow);
    EXPECT_TRUE(Key(model, VK_ESCAPE) & kBrowserStopSlideshow);
    EXPECT_EQ(0, model.slideshow);
    EXPECT_EQ(kBrowserNothing, SlideshowTick(model));
}

TEST(ImageBrowserModel, WheelTurnsPagesInTheGrid)
{
    ImageBrowserModel model = Browser(30);
    ImageBrowserWheel(model, 1, 0);
    ImageBrowserWheel(model, 1, 0);
    EXPECT_EQ(3, model.paging.page);
    for (int i = 0; i < 5; i++) ImageBrowserWheel(model, 1, 0);
    EXPECT_EQ(4, model.paging.page);
    for (int i = 0; i < 6; i++) ImageBrowserWheel(model, -1, 0);
    EXPECT_EQ(1, model.paging.page);
}

TEST(ImageBrowserModel, LargePicturesAreFittedAndTallOnesScroll)
{
    RECT frame = {0, 0, 840, 540};  // 800 x 500 inside the margins
    FittedImage wide = FitBrowserImage(frame, 1600, 800, 0);
    EXPECT_EQ(800, wide.dest.right - wide.dest.left);
    EXPECT_EQ(400, wide.dest.bottom - wide.dest.top);
    EXPECT_EQ(70, wide.dest.top);  // centred
    EXPECT_EQ(0, wide.scrollable);
    FittedImage small = FitBrowserImage(frame, 120, 90, 0);
    EXPECT_EQ(120, small.dest.right - small.dest.left);  // never enlarged
    EXPECT_EQ(360, small.dest.left);
    // 300 x 3000: fitted it would be 50 wide; it is shown at its own width,
    // 500 rows at a time, half of that per step, never past the end.
    FittedImage tall = FitBrowserImage(frame, 300, 3000, 0);
    EXPECT_EQ(1, tall.scrollable);
    EXPECT_EQ(300, tall.dest.right - tall.dest.left);
    EXPECT_EQ(500, tall.source.bottom - tall.source.top);
    FittedImage scrolled = FitBrowserImage(frame, 300, 3000, 3);
    EXPECT_EQ(750, scrolled.source.top);
    FittedImage end = FitBrowserImage(frame, 300, 3000, 99);
    EXPECT_EQ(10, end.scrollStep);
    EXPECT_EQ(3000, end.source.bottom);
    FittedImage none = FitBrowserImage(frame, 0, 10, 0);
    EXPECT_EQ(0, none.dest.right - none.dest.left);
}

TEST(ImageBrowserModel, TheHoveredPictureIsEnlargedInsideTheClient)
{
    RECT client = {0, 0, 1000, 700};
    RECT middle = {450, 300, 550, 380};  // 100 x 80: 150, then by quarters until a side reaches 200
    RECT big = EnlargedHoverRect(middle, client);
    EXPECT_GE(big.right - big.left, 200);
    EXPECT_LT(big.right - big.left, 260);
    EXPECT_EQ(500, (big.left + big.right) / 2);  // centred on the picture
    RECT corner = {960, 560, 990, 600};  // by the bottom right corner
    RECT kept = EnlargedHoverRect(corner, client);
    EXPECT_LE(kept.right, 980);
    EXPECT_LE(kept.bottom, 610);
    RECT huge = {0, 0, 900, 900};
    RECT fitted = EnlargedHoverRect(huge, client);
    EXPECT_GE(fitted.left, 20);
    EXPECT_GE(fitted.top, 20);
    EXPECT_LE(fitted.bottom, 610);
}
