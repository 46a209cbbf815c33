// The QuickSearch box beside typing a title, on the program's own wiring:
// Shift peeks at the typed note, Left brings the note shown to the top of the
// list, a first miss flashes the box, the wheel goes where the pointer is
// (over the ribbon it steps the tabs), what holds the keys (a preview under
// the mouse, a dialog), taking and leaving the focus, Alt let go after a
// chord, and the QuickSearch pane's caption, click and place.
#include "tests/shell/program_keys_fixture.h"
#include "shell/quick_search_pulse.h"
#include "search/quick/quick_search_box.h"
#include "search/quick/result_panel.h"
#include "search/search_tables.h"
#include "dialogs/dialog_center.h"
#include "foundation/app.h"
#include "shell/frame_ribbon.h"

namespace {

class QuickBoxKeys : public ProgramKeys {
protected:
    // Sixty notes "Note_00".."Note_59", each of forty lines, and "Zoo" (titles in order).
    void OpenMany()
    {
        AIString notes;
        for (int i = 0; i < 60; i++) {
            WCHAR title[16];
            wsprintfW(title, L"Note_%02d", i);
            AIString body;
            for (int line = 0; line < 40; line++) body.AppendText(L"line of the note\r\n");
            Note(notes, title, body.GetText());
        }
        Note(notes, L"Zoo", L"tomatoes and beans");
        ASSERT_NO_FATAL_FAILURE(Open(notes, L"TavikQuickKeysTest.exe"));
    }
    int32_t Index(const WCHAR* title) { return FindNoteByTitle(title, 0, 0); }
    int FirstLine(HWND window) { return (int)SendMessageW(window, EM_GETFIRSTVISIBLELINE, 0, 0); }
    // The wheel turned (three notches down unless told): it goes to the window with the focus.
    void Wheel(TestKeyboard& kb, HWND window, int x, int y, int delta = -WHEEL_DELTA * 3)
    {
        kb.MoveMouse(window, x, y);
        POINT at = {x, y};
        ClientToScreen(window, &at);
        PostMessageW(GetFocus(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y));
        kb.Pump();
    }
};

}  // namespace

TEST_F(QuickBoxKeys, ShiftPeeksAtTheTypedNoteUntilItIsLetGo)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Type(L"zoo");
    EXPECT_FALSE(IsWindowVisible(GetLinkPreviewPane()));
    kb.Hold(VK_SHIFT);
    // The pane is made when it first has something to show.
    HWND pane = GetLinkPreviewPane();
    EXPECT_TRUE(IsWindowVisible(pane));
    EXPECT_EQ(0u, Text(pane).find("Preview: Zoo")) << Text(pane);
    kb.Release(VK_SHIFT);
    EXPECT_FALSE(IsWindowVisible(pane));
    EXPECT_EQ("zoo", Text(box));
    // The note shown has nothing to peek at.
    SetWindowTextW(box, L"note_00");
    kb.Hold(VK_SHIFT);
    EXPECT_FALSE(IsWindowVisible(pane));
    kb.Release(VK_SHIFT);
}

TEST_F(QuickBoxKeys, LeftEmptiesTheBoxAndPutsTheNoteShownAtTheTopOfTheList)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    ASSERT_EQ(1, ReadAndShowNote(Index(L"Note_30"), kShowAndRecord));
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    HWND list = g_mainPanel.noteList.GetHwnd();
    kb.Type(L"note_5");
    kb.Press(VK_LEFT);
    EXPECT_EQ("", Text(box));
    EXPECT_EQ(Index(L"Note_30"), (int)SendMessageW(list, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(Index(L"Note_30"), (int)SendMessageW(list, LB_GETTOPINDEX, 0, 0));
}

TEST_F(QuickBoxKeys, TheFirstMissFlashesTheBoxOnceAndAFindFlashesItAgain)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Type(L"zq");
    EXPECT_GE(GetQuickSearchPulseStep(), 0);
    EXPECT_TRUE(kb.PumpUntil([] { return GetQuickSearchPulseStep() < 0; }, 5000));
    // Still missing: no new flash.
    kb.Type(L"q");
    EXPECT_LT(GetQuickSearchPulseStep(), 0);
    // Found again: it flashes.
    kb.Press(VK_BACK);
    kb.Press(VK_BACK);
    kb.Press(VK_BACK);
    kb.Type(L"zo");
    EXPECT_GE(GetQuickSearchPulseStep(), 0);
}

TEST_F(QuickBoxKeys, TheWheelGoesWhereThePointerIs)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    // A long note in the QuickSearch pane, and in the editor.
    ShowQuickSearchPreview(Index(L"Note_05"), 1);
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    ASSERT_EQ(0, FirstLine(quickPane));
    Wheel(kb, quickPane, 20, 20);
    EXPECT_GT(FirstLine(quickPane), 0);
    EXPECT_EQ(0, FirstLine(editor));
    Wheel(kb, editor, 40, 40);
    EXPECT_GT(FirstLine(editor), 0);
    EXPECT_EQ(box, GetFocus());
}

TEST_F(QuickBoxKeys, KeysAreHeldWhileAPreviewIsUnderThePointerOrADialogRuns)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    // A link preview over the note list, the pointer on the list.
    SetPreviewTarget(L"Zoo", kPreviewNote, kOriginCommand);
    ASSERT_EQ(1, PaintLinkPreview());
    ASSERT_TRUE(IsWindowVisible(GetLinkPreviewPane()));
    kb.MoveMouse(g_mainPanel.noteList.GetHwnd(), 10, 10);
    SetWindowTextW(box, L"");
    kb.Type(L"zo");
    EXPECT_EQ("", Text(box));
    EXPECT_EQ("Cannot use QuickSearch while previewing using the mouse", Status());
    // The pointer elsewhere: the keys are the box's again.
    kb.MoveMouse(editor, 40, 40);
    kb.Type(L"zo");
    EXPECT_EQ("zoo", Text(box));
    HideQuickPreview(0);
    // While a dialog runs nothing typed reaches the box.
    SetWindowTextW(box, L"");
    g_dialogCenter.busy = 1;
    kb.Type(L"zo");
    g_dialogCenter.busy = 0;
    EXPECT_EQ("", Text(box));
}

TEST_F(QuickBoxKeys, TakingTheFocusChecksALinkPreviewAgainSoon)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    SetFocus(editor);
    SetPreviewTarget(L"Zoo", kPreviewNote, kOriginCommand);
    ASSERT_EQ(1, PaintLinkPreview());
    kb.Press('L', kCtrlKey);
    ASSERT_EQ(box, GetFocus());
    EXPECT_TRUE(kb.PumpUntil([] { return !IsWindowVisible(GetLinkPreviewPane()); }, 3000));
}

TEST_F(QuickBoxKeys, WithoutInstantPreviewTheAskedForNoteCoversTheEditorUntilClicked)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    g_app.settings.Record().instantPreview = 0;
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    // An earlier test may have left the same note's preview in the pane: the
    // wait below is for this one's.
    SetWindowTextW(quickPane, L"");
    kb.Type(L"zoo");
    ASSERT_TRUE(kb.PumpUntil([&] { return Text(quickPane).find("tomatoes") != std::string::npos; }));
    EXPECT_EQ(0u, Text(quickPane).find("Preview: Zoo")) << Text(quickPane);
    EXPECT_TRUE(Covers(PlaceOf(quickPane), PlaceOf(editor)));
    kb.Click(quickPane, 30, 30);
    EXPECT_FALSE(Covers(PlaceOf(quickPane), PlaceOf(editor)) && IsWindowVisible(quickPane));
    g_app.settings.Record().instantPreview = 1;
}

TEST_F(QuickBoxKeys, FullTextFieldHintsWhileCtrlIsHeldAndTheWheelFollowsThePointer)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    SetWindowTextW(box, L"");
    kb.Type(L"line\n");
    ASSERT_TRUE(IsFullTextSearchMode());
    ASSERT_TRUE(kb.PumpUntil([] { return SearchHitTable.count > 2; }));
    HWND field = GetFullTextField();
    ASSERT_EQ(field, GetFocus());
    // Ctrl held alone: the keys show; let go, the field's prompt is back.
    kb.Hold(VK_CONTROL);
    EXPECT_TRUE(kb.PumpUntil([] { return Status().find("Ctrl+") != std::string::npos; }, 4000)) << Status();
    kb.Release(VK_CONTROL);
    EXPECT_NE(std::string::npos, Status().find("Full text Search")) << Status();

    // Over the preview the wheel scrolls the preview, over the list it moves the hit.
    int hit = SearchCounters.selectedHit;
    Wheel(kb, quickPane, 30, 30);
    EXPECT_GT(FirstLine(quickPane), 0);
    EXPECT_EQ(hit, SearchCounters.selectedHit);
    Wheel(kb, GetResultPanel(), 30, 80);
    EXPECT_EQ(hit + 1, SearchCounters.selectedHit);
    kb.Press(VK_ESCAPE);
    EXPECT_FALSE(IsFullTextSearchMode());
}

TEST_F(QuickBoxKeys, AfterAnAltKeyTheSelectedTitleIsTypedOver)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    ASSERT_EQ(1, ReadAndShowNote(Index(L"Zoo"), kShowAndRecord));
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    // Alt+Left goes back to the note before and selects the box's text.
    SetWindowTextW(box, L"zoo");
    kb.Press(VK_LEFT, kAltKey);
    ASSERT_EQ(Index(L"Note_00"), g_mainPanel.currentNote);
    kb.Type(L"note_3");
    EXPECT_EQ("note 30", Text(box));
}

TEST_F(QuickBoxKeys, APaneFilledWhileALinkPreviewOwnsItsPlaceStaysHidden)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    // The typed title is previewed after a moment; a link's preview comes first.
    kb.Type(L"zoo");
    SetPreviewTarget(L"Note_07", kPreviewNote, kOriginCommand);
    ASSERT_EQ(1, PaintLinkPreview());
    ASSERT_TRUE(IsWindowVisible(GetLinkPreviewPane()));
    ASSERT_TRUE(kb.PumpUntil([&] { return Text(quickPane).find("tomatoes") != std::string::npos; }));
    EXPECT_FALSE(IsWindowVisible(quickPane));
    EXPECT_TRUE(IsWindowVisible(GetLinkPreviewPane()));
    // When the link's preview goes, QuickSearch's is there again.
    HideQuickPreview(1);
    EXPECT_TRUE(IsWindowVisible(quickPane));
}

TEST_F(QuickBoxKeys, LeavingTheBoxForTheEditorGivesTheStatusLineBackToTheNote)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    const std::string noteStatus = "<b>Note 00</b> - 61 notes";
    // Escape, a second Enter on the title shown, Tab on an unknown title, a click.
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    EXPECT_NE(std::string::npos, Status().find("QuickSearch")) << Status();
    kb.Press(VK_ESCAPE);
    ASSERT_EQ(editor, GetFocus());
    EXPECT_EQ(noteStatus, Status());
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    SetWindowTextW(box, L"");
    kb.Type(L"note_00\n");
    ASSERT_EQ(editor, GetFocus());
    EXPECT_EQ(noteStatus, Status());
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Type(L"zq\t");
    ASSERT_EQ(editor, GetFocus());
    EXPECT_EQ(noteStatus, Status());
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Type(L"zq");
    kb.Click(editor, 40, 40);
    ASSERT_EQ(editor, GetFocus());
    EXPECT_EQ(noteStatus, Status());
}

TEST_F(QuickBoxKeys, TheWheelOverTheRibbonStepsThroughItsTabs)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    const int tabs = g_ribbon.GetTabCount();
    ASSERT_GT(tabs, 1);
    g_ribbon.SelectTab(0);
    RECT strip = g_ribbon.GetTabStripRect(), band = g_ribbon.GetRect();
    // From QuickSearch, over the ribbon's controls: down the next tab, up the one before.
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    Wheel(kb, frame, band.left + 200, (strip.bottom + band.bottom) / 2);
    EXPECT_EQ(1, g_ribbon.GetCurrentTabIndex());
    Wheel(kb, frame, band.left + 200, (strip.bottom + band.bottom) / 2, WHEEL_DELTA);
    EXPECT_EQ(0, g_ribbon.GetCurrentTabIndex());
    EXPECT_EQ(box, GetFocus());
    // From the editor, over the tab strip.
    SetFocus(editor);
    Wheel(kb, frame, strip.left + 300, (strip.top + strip.bottom) / 2);
    EXPECT_EQ(1, g_ribbon.GetCurrentTabIndex());
    EXPECT_EQ(0, FirstLine(editor));
    g_ribbon.SelectTab(0);
}

TEST_F(QuickBoxKeys, TakingTheFocusTellsTheFrameTheProgramIsInUse)
{
    ASSERT_NO_FATAL_FAILURE(OpenMany());
    TestKeyboard kb = Keyboard();
    SetFocus(editor);
    // A screen deactivated while it closed left the program counted as in the background.
    g_app.SetGuardFlag(0);
    kb.Press('L', kCtrlKey);
    EXPECT_EQ(box, GetFocus());
    EXPECT_EQ(1, g_app.GetGuardFlag());
}
