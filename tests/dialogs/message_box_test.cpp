// The message box as a real window on a driven clock: where it lies, how long
// it stays, how it closes, the status-line routing of flagged messages, the
// options of active mode and the note store's messages.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/foreground_check.h"
#include "dialogs/message_box.h"
#include "foundation/app.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDialogTestState(); }
};

void Click(int x, int y)
{
    SendMessageW(g_messageBox.box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(g_messageBox.box, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

POINT CentreOf(const AIControl& control)
{
    RECT r = control.GetRect();
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return p;
}

}  // namespace

TEST_F(MessageBoxTest, PassiveBoxSlidesInStaysItsTimeAndClosesDismissed)
{
    g_dialogCenter.ShowMessage(4);
    HWND box = g_messageBox.box;
    ASSERT_TRUE(box != 0);
    EXPECT_TRUE(DrivenClockRunning());
    EXPECT_EQ(1, g_messageBox.openFlag);
    EXPECT_EQ(1u, g_dialogCenter.busy);
    EXPECT_EQ((uint32_t)kDialogMessageShown, g_dialogCenter.kind);

    // A band 120 pixels high over the bottom of the frame.
    RECT frame, band;
    GetWindowRect(g_testWindows.frame, &frame);
    GetWindowRect(box, &band);
    int border = GetSystemMetrics(SM_CXSIZEFRAME);
    EXPECT_EQ(120, band.bottom - band.top);
    EXPECT_EQ(frame.bottom - border, band.bottom);
    EXPECT_EQ(frame.left + border, band.left);
    EXPECT_EQ(frame.right - border, band.right);

    g_dialogCenter.noteDialogAnswer = -7;
    EXPECT_EQ(10, TickMessageBox(10));  // 95 pixels in steps of 10
    EXPECT_LE(g_messageBox.slideIn, 0);
    EXPECT_EQ(350, TickMessageBox(350));
    EXPECT_EQ(box, g_messageBox.box);
    EXPECT_EQ(0, g_messageBox.slideOut);
    int more = TickMessageBox(100);
    EXPECT_GT(more, 5);   // slides out first
    EXPECT_LT(more, 30);
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_FALSE(DrivenClockRunning());
    EXPECT_EQ(1, g_dialogCenter.noteDialogAnswer);  // closed with mode 1
    // The centre is free again and the last message can be shown again.
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(4u, g_dialogCenter.messageId);
    EXPECT_EQ(1, g_dialogCenter.UpdateMessageBox(1));
    EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(L"Cannot delete"));
}

TEST_F(MessageBoxTest, ClosesOnAClickAMoveOfTheFrameOrTheProgramsClose)
{
    g_dialogCenter.ShowMessage(5);
    ASSERT_TRUE(g_messageBox.box != 0);
    Click(30, 30);  // passive: anywhere
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ(1, g_dialogCenter.noteDialogAnswer);

    g_dialogCenter.ShowMessage(5);
    ASSERT_TRUE(g_messageBox.box != 0);
    TickMessageBox(1);
    RECT frame;
    GetWindowRect(g_testWindows.frame, &frame);
    MoveWindow(g_testWindows.frame, frame.left + 10, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    TickMessageBox(1);
    EXPECT_EQ(0, g_messageBox.box != 0);
    MoveWindow(g_testWindows.frame, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);

    g_dialogCenter.ShowMessage(5);
    ASSERT_TRUE(g_messageBox.box != 0);
    g_dialogCenter.UpdateMessageBox(-1);
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ(0u, g_dialogCenter.messageId);
    EXPECT_EQ(0u, g_dialogCenter.busy);
}

TEST_F(MessageBoxTest, ASecondMessageWaitsUntilTheFirstIsClosed)
{
    g_dialogCenter.ShowMessage(5);
    g_dialogCenter.ShowMessage(6);
    EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(L"Missing title"));
    Click(10, 10);
    EXPECT_EQ(1, g_dialogCenter.UpdateMessageBox(0));
    EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(L"Title exists"));
}

TEST_F(MessageBoxTest, FlaggedMessageGoesToTheStatusLineUnlessAskedForAgain)
{
    SettingsSetDontShow(g_app.settings.Record(), 0, 1);
    EXPECT_EQ(0, g_dialogCenter.ShowMessage(1) && g_messageBox.box != 0);
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_TRUE(g_testWindows.statusText.EqualsText(L"Warning - Cannot delete")) << Utf8(g_testWindows.statusText);
    EXPECT_EQ(1002, g_testWindows.statusPicture);
    EXPECT_EQ(0u, g_dialogCenter.busy);  // nothing stays pending behind it

    // Asked for from the status line: shown, the box ticked.
    EXPECT_EQ(1, g_dialogCenter.UpdateMessageBox(1));
    ASSERT_TRUE(g_messageBox.box != 0);
    EXPECT_EQ(0u, g_dialogCenter.messageModeFlag);
    EXPECT_EQ(1, g_messageBox.checkBox.GetValue());
    EXPECT_TRUE(g_messageBox.texts.text.StartsWith(L"You cannot delete all space"));

    // Untick it and close: the message shows in the box again from now on.
    POINT check = CentreOf(g_messageBox.optionCheck);
    Click(check.x, check.y);
    EXPECT_EQ(0, g_messageBox.checkBox.GetValue());
    ASSERT_TRUE(g_messageBox.box != 0);
    SendMessageW(g_messageBox.box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ(0, SettingsGetDontShow(g_app.settings.Record(), 0));
    g_dialogCenter.ShowMessage(1);
    EXPECT_TRUE(g_messageBox.box != 0);
}

TEST_F(MessageBoxTest, FlagsAreWrittenOnlyForMessagesThatHaveASlot)
{
    int32_t before[kSettingsDontShowFlags];
    for (int k = 0; k < kSettingsDontShowFlags; k++) before[k] = SettingsGetDontShow(g_app.settings.Record(), k);
    const uint32_t ids[] = {55, 61};
    for (uint32_t id : ids) {
        g_dialogCenter.messageId = id;
        ASSERT_EQ(1, g_dialogCenter.UpdateMessageBox(1)) << id;
        g_messageBox.checkBox.SetValue(1);
        SendMessageW(g_messageBox.box, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(0, g_dialogCenter.noteDialogAnswer);
    }
    for (int k = 0; k < kSettingsDontShowFlags; k++)
        EXPECT_EQ(before[k], SettingsGetDontShow(g_app.settings.Record(), k)) << k;
}

TEST_F(MessageBoxTest, HelpPagesAlternateAndStayLonger)
{
    const WCHAR* captions[3] = {L"Quick Search Help (1 of 2)", L"Quick Search Help (2 of 2)",
                                L"Quick Search Help (1 of 2)"};
    for (const WCHAR* caption : captions) {
        g_dialogCenter.ShowMessage(56);
        ASSERT_TRUE(g_messageBox.box != 0);
        EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(caption)) << Utf8(g_messageBox.texts.caption);
        EXPECT_EQ(3000, g_messageBox.texts.displayTime);
        Click(5, 5);
    }
}

TEST_F(MessageBoxTest, TheSliderStaysWithinItsTrack)
{
    SliderGeometry s = SliderFor(400);
    int right = s.trackLeft + s.trackWidth;
    EXPECT_EQ(3, TransparencyForKnob(s, HeldKnobLeft(s, s.trackLeft + 1)));
    EXPECT_EQ(253, TransparencyForKnob(s, HeldKnobLeft(s, right)));
    EXPECT_EQ(0, TransparencyForKnob(s, s.trackLeft - 5 - 7));
    EXPECT_EQ(255, TransparencyForKnob(s, right + 7 - 7));
    EXPECT_EQ(s.trackLeft - 7, KnobLeftFor(s, 0));
    EXPECT_EQ(right - 7, KnobLeftFor(s, 255));
    EXPECT_EQ(10, MessageBoxStep(400, 0));
    EXPECT_EQ(20, MessageBoxStep(199, 0));
    EXPECT_EQ(50, MessageBoxStep(149, 0));
    EXPECT_EQ(100, MessageBoxStep(99, 0));
    EXPECT_EQ(100, MessageBoxStep(400, 1));

    // Dragged in the real box, then closed: the setting keeps the choice.
    g_dialogCenter.messageId = 2;
    ASSERT_EQ(1, g_dialogCenter.UpdateMessageBox(1));
    HWND box = g_messageBox.box;
    RECT track = g_messageBox.optionTrack.GetRect();
    int y = (track.top + track.bottom) / 2;
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(track.left + 40, y));
    EXPECT_EQ(2, g_messageBox.dragState);
    SendMessageW(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(track.left + 1, y));
    EXPECT_EQ(3, g_messageBox.transparency);
    EXPECT_EQ(0, g_messageBox.transparencyShown);
    SendMessageW(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(track.right, y));
    EXPECT_EQ(253, g_messageBox.transparency);
    EXPECT_EQ(49, g_messageBox.transparencyShown);
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(track.left + 75, y));
    EXPECT_EQ(3, g_messageBox.dragState);
    EXPECT_TRUE(g_messageBox.box != 0);  // a drag's release closes nothing
    int chosen = g_messageBox.transparency;
    EXPECT_GT(chosen, 100);
    EXPECT_LT(chosen, 160);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // elsewhere: closes
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ(chosen, g_app.settings.Record().messageBoxTransparency);
}

TEST_F(MessageBoxTest, InsertsAreShownAsTextNeverAsMarkup)
{
    AIString title(L"<b>A&B</b>");
    g_dialogCenter.ShowMessageWithText(6, title);
    ASSERT_TRUE(g_messageBox.box != 0);
    EXPECT_TRUE(g_messageBox.texts.text.StartsWith(L"The title '&lt;b&gt;A&amp;B&lt;/b&gt;' already exists."))
        << Utf8(g_messageBox.texts.text);
}

TEST_F(MessageBoxTest, UnderWineAnyWindowOfTheProgramCountsAsInFront)
{
    HWND frame = g_testWindows.frame, other = g_testWindows.content;
    EXPECT_EQ(1, IsForegroundOurs(frame, frame, 0, 0));
    EXPECT_EQ(0, IsForegroundOurs(0, frame, 0, 0));
    EXPECT_EQ(0, IsForegroundOurs(other, frame, 0, 0));
    EXPECT_EQ(1, IsForegroundOurs(0, frame, 0, 1));
    EXPECT_EQ(1, IsForegroundOurs(other, frame, 0, 1));
    EXPECT_EQ(0, IsForegroundOurs(GetDesktopWindow(), frame, 0, 1));
}

TEST_F(MessageBoxTest, ARefusedDataFileShowsItsNumberedMessage)
{
    ConnectNoteStoreMessages();
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    AIString path(folder);
    path.AppendText(L"not-a-datafile.tavik");
    HANDLE file = CreateFileW(path.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "plain bytes, no mark", 20, &written, 0);
    CloseHandle(file);
    EXPECT_EQ(0, LoadDatafile(path.GetText()));
    DeleteFileW(path.GetText());
    ASSERT_TRUE(g_messageBox.box != 0);
    EXPECT_TRUE(g_messageBox.texts.number.EqualsText(L"(021)"));
    EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(L"File not valid"));
    SetNoteStoreMessageHook(0);
}

TEST_F(MessageBoxTest, AnotherApplicationInFrontClosesTheBoxAndSavesTheNote)
{
    g_dialogCenter.ShowMessage(5);
    ASSERT_TRUE(g_messageBox.box != 0);
    // Passive: the frame taking the focus leaves the box up.
    SendMessageW(g_messageBox.box, WM_ACTIVATE, WA_INACTIVE, (LPARAM)g_testWindows.frame);
    EXPECT_TRUE(g_messageBox.box != 0);
    SendMessageW(g_messageBox.box, WM_ACTIVATE, WA_INACTIVE, (LPARAM)GetDesktopWindow());
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ((UINT)IDM_SAVE_NOTE, g_testWindows.lastFrameCommand);
    EXPECT_EQ(0, g_app.GetGuardFlag());
    EXPECT_EQ(0u, g_dialogCenter.busy);

    // Active: the frame taking the focus closes it, without saving.
    g_app.SetGuardFlag(1);
    g_testWindows.lastFrameCommand = 0;
    ASSERT_EQ(1, g_dialogCenter.UpdateMessageBox(1));
    SendMessageW(g_messageBox.box, WM_ACTIVATE, WA_INACTIVE, (LPARAM)g_testWindows.frame);
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ(0u, g_testWindows.lastFrameCommand);
}

TEST_F(MessageBoxTest, ATickBurstAfterABusySpellDoesNotEndTheMessage)
{
    g_dialogCenter.ShowMessage(5);
    ASSERT_TRUE(g_messageBox.box != 0);
    TickMessageBox(20);  // slid in, resting
    int resting = g_messageBox.tickCounter;
    EXPECT_EQ(400, SendTickBurst(400));
    EXPECT_TRUE(g_messageBox.box != 0);
    EXPECT_EQ(resting, g_messageBox.tickCounter);
    EXPECT_EQ(0, g_messageBox.slideOut);
    TickMessageBox(1);
    EXPECT_EQ(resting + 1, g_messageBox.tickCounter);
}
