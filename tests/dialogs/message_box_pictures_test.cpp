// The message box's pictures: they are carried by the program, keyed on
// magenta, and the box paints the one of the message's kind and the tick of
// a ticked check box where they belong.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "dialogs/dialog_center.h"
#include "dialogs/message_box.h"
#include "dialogs/message_catalogue.h"
#include "drawing/ai_dib.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"

namespace {

const int kWidth = 600;

uint32_t PixelAt(const AIDib& dib, int x, int y)
{
    const uint8_t* row = (const uint8_t*)dib.GetBits() + (size_t)y * dib.GetStride();
    return ((const uint32_t*)row)[x] & 0x00FFFFFFu;
}

// One frame of a resting box (no slide) painted into a 32-bit bitmap.
void PaintRestingBox(AIDib& out, int32_t kindCode, int activeMode, int ticked)
{
    FreeMessageBoxPictures();
    MessageBoxState& m = g_messageBox;
    m.texts.kindCode = kindCode;
    m.texts.helpFlag = 0;
    m.slideIn = 0;
    m.slideOut = 0;
    m.contentDirty = 1;
    m.backgroundDirty = 1;
    m.checkBox.SetValue(ticked);
    g_dialogCenter.messageModeFlag = activeMode ? 0 : 1;
    ASSERT_TRUE(out.Create(kWidth, kMessageBoxHeight, 32));
    HDC dc = out.SelectIntoMemoryDC();
    ASSERT_TRUE(dc != 0);
    PaintMessageBox(dc, kWidth, kMessageBoxHeight);
    out.ReleaseMemoryDC();
}

int DifferingPixels(const AIDib& a, const AIDib& b, RECT r)
{
    int count = 0;
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++)
            if (PixelAt(a, x, y) != PixelAt(b, x, y)) count++;
    return count;
}

class MessageBoxPicturesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDialogTestState(); }
    void TearDown() override { FreeMessageBoxPictures(); }
};

}  // namespace

TEST_F(MessageBoxPicturesTest, EveryPictureLoadsFromTheProgramWithItsSizeAndKeyColour)
{
    struct Expected {
        int id, size;
    };
    const Expected pictures[] = {{IDB_KIND_WARNING, 30}, {IDB_KIND_ERROR, 30}, {IDB_KIND_HELP, 30},
                                 {IDB_KIND_INFO, 30},    {IDB_CHECK_TICK, 16}};
    for (const Expected& e : pictures) {
        SCOPED_TRACE(e.id);
        AIDib dib;
        ASSERT_EQ(1, dib.LoadBitmapResource(e.id));
        EXPECT_EQ(e.size, dib.GetWidth());
        EXPECT_EQ(e.size, dib.GetHeight());
        // Corners are the transparent magenta, the middle is the picture itself.
        EXPECT_EQ(0xFF00FFu, PixelAt(dib, 0, 0));
        EXPECT_EQ(0xFF00FFu, PixelAt(dib, e.size - 1, e.size - 1));
        EXPECT_NE(0xFF00FFu, PixelAt(dib, e.size / 2, e.size / 2 + 1));
    }
}

TEST_F(MessageBoxPicturesTest, AWarningIsPaintedOnceAtTheLeftAndNoMagenta)
{
    AIDib plain, warning, error;
    PaintRestingBox(plain, 0, 0, 0);
    PaintRestingBox(warning, kKindWarning, 0, 0);
    PaintRestingBox(error, kKindError, 0, 0);

    RECT picture = {15, 30, 45, 60};
    EXPECT_GT(DifferingPixels(plain, warning, picture), 200);
    // Each kind has its own picture.
    EXPECT_GT(DifferingPixels(warning, error, picture), 200);
    // Only there: the rest of the left column, above and below it, is the plain box.
    RECT above = {0, 0, 70, 30}, below = {0, 60, 70, kMessageBoxHeight - 22};
    EXPECT_EQ(0, DifferingPixels(plain, warning, above));
    EXPECT_EQ(0, DifferingPixels(plain, error, below));
    EXPECT_EQ(0, DifferingPixels(plain, warning, below));
    // Nothing lands where the text goes, and the key colour never shows.
    RECT text = {70, 30, kWidth, 60};
    EXPECT_EQ(0, DifferingPixels(plain, warning, text));
    int amber = 0;
    for (int y = 0; y < kMessageBoxHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            uint32_t p = PixelAt(warning, x, y);
            ASSERT_NE(0xFF00FFu, p) << x << "," << y;
            int red = (p >> 16) & 0xFF, blue = p & 0xFF;
            if (x >= 15 && x < 45 && y >= 30 && y < 60 && red > blue + 60) amber++;
        }
    EXPECT_GT(amber, 100);
}

TEST_F(MessageBoxPicturesTest, ATickedCheckBoxShowsTheTick)
{
    AIDib unticked, ticked;
    PaintRestingBox(unticked, kKindInfo, 1, 0);
    PaintRestingBox(ticked, kKindInfo, 1, 1);
    RECT box = {kWidth - 190 + 30, 75, kWidth - 190 + 46, 91};
    int changed = DifferingPixels(unticked, ticked, box);
    EXPECT_GT(changed, 20);
    EXPECT_LT(changed, 16 * 16 / 2);
    RECT outside = {0, 0, kWidth - 190, kMessageBoxHeight};
    EXPECT_EQ(0, DifferingPixels(unticked, ticked, outside));
}

namespace {

// Message 39 (a note cut at the store) painted at rest, its whole text kept at `path`.
void PaintCutNoteMessage(AIDib& out, const WCHAR* path, int activeMode)
{
    AIString cut(L"10010"), kept(path), none;
    MessageCatalogueInput input = {kMsgNoteTooLarge, {&cut, &kept, &none}, activeMode ? 0 : 1, nullptr};
    MessageCatalogueState state = {};
    g_messageBox.texts.showFlag = 1;
    MessageCatalogue::Compose(input, &state, &g_messageBox.texts);
    PaintRestingBox(out, g_messageBox.texts.kindCode, activeMode, 0);
}

}  // namespace

TEST_F(MessageBoxPicturesTest, ALongPathOfAKeptNoteShowsItsFileName)
{
    // 150 characters: wrapped, it would run past the bottom of the box.
    AIString folder(L"C:\\users\\someone\\Documents\\");
    while (folder.GetLength() < 120) folder.AppendText(L"Nested_folder_of_notes\\");
    AIString alpha(folder), omega(folder);
    alpha.AppendText(L"long\\Alpha_title_20261207.txt");
    omega.AppendText(L"long\\Omega_title_20261207.txt");
    ASSERT_GE(alpha.GetLength(), 150);
    for (int active = 0; active <= 1; active++) {
        SCOPED_TRACE(active);
        AIDib a, b;
        PaintCutNoteMessage(a, alpha.GetText(), active);
        PaintCutNoteMessage(b, omega.GetText(), active);
        // The file names differ, and the difference shows inside the box, on one line of text.
        RECT textArea = {70, 28, kWidth, kMessageBoxHeight - 4};
        int differing = DifferingPixels(a, b, textArea);
        EXPECT_GT(differing, 20);
        int top = kMessageBoxHeight, bottom = 0;
        for (int y = textArea.top; y < textArea.bottom; y++)
            for (int x = textArea.left; x < textArea.right; x++)
                if (PixelAt(a, x, y) != PixelAt(b, x, y)) {
                    if (y < top) top = y;
                    if (y > bottom) bottom = y;
                }
        EXPECT_LT(bottom - top, 20) << top << ".." << bottom;
    }
}
