// The editor taking the focus back in the program's own windows: from
// QuickSearch with Escape or a click, the frame counts the program as in use
// again, the ribbon's controls act on the note again, and a note a sync pass
// renewed meanwhile is shown as it now stands (once per pass).
#include "tests/shell/program_keys_fixture.h"
#include "tests/dialogs/image_test_files.h"
#include "shell/sync_connection.h"
#include "foundation/app.h"
#include "resources/resource_ids.h"
#include "ui/ai_control.h"
#include "shell/frame_ribbon.h"

namespace {

class EditorFocus : public ProgramKeys {
protected:
    void OpenNotes()
    {
        AIString notes;
        Note(notes, L"Recipes", L"bread and soup");
        Note(notes, L"Walks", L"the long way round");
        ASSERT_NO_FATAL_FAILURE(Open(notes, L"TavikEditorFocusTest.exe"));
    }
    static int Enabled(int command)
    {
        AIControl* control = g_ribbon.FindControl(command);
        return control ? control->IsEnabled() : -1;
    }
    // A point inside the editor's text, in the editor's client coordinates.
    POINT InEditor() const
    {
        RECT r;
        GetClientRect(editor, &r);
        POINT p = {40, 12};
        if (p.y >= r.bottom) p.y = r.bottom / 2;
        return p;
    }
};

}  // namespace

TEST_F(EditorFocus, EnteringTheEditorTellsTheFrameTheProgramIsInUseAndGivesTheNoteItsControlsBack)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes());
    TestKeyboard kb = Keyboard();
    // QuickSearch switches the note's editing controls off while it has the focus.
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    EXPECT_EQ(0, Enabled(IDM_INC_SEARCH));
    EXPECT_EQ(0, Enabled(IDM_EDIT_PASTE));
    // A screen deactivated while it closed left the program counted as in the background.
    g_app.SetGuardFlag(0);
    kb.Press(VK_ESCAPE);
    ASSERT_EQ(editor, GetFocus());
    EXPECT_EQ(1, g_app.GetGuardFlag());
    EXPECT_EQ(1, Enabled(IDM_INC_SEARCH));
    EXPECT_EQ(1, Enabled(IDM_EDIT_PASTE));
    EXPECT_EQ(1, Enabled(IDM_TOGGLE_HEADING));
    // Nothing selected: nothing to copy or cut.
    EXPECT_EQ(0, Enabled(IDM_EDIT_COPY));
    EXPECT_EQ(0, Enabled(IDM_EDIT_CUT));

    // The same when a click brings the focus (which highlights nothing).
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    EXPECT_EQ(0, Enabled(IDM_INC_SEARCH));
    g_app.SetGuardFlag(0);
    POINT at = InEditor();
    kb.Click(editor, at.x, at.y);
    EXPECT_TRUE(kb.PumpUntil([&] { return GetFocus() == editor; }));
    EXPECT_EQ(1, g_app.GetGuardFlag());
    EXPECT_EQ(1, Enabled(IDM_INC_SEARCH));
    EXPECT_EQ(1, Enabled(IDM_EDIT_PASTE));
}

TEST_F(EditorFocus, ANoteASyncPassRenewedIsShownAgainOnEnteringTheEditorOncePerPass)
{
    AIString folder = OwnFolder(L"focus_sync");
    AIString sync(folder);
    sync.AppendChar(L'\\');
    g_noteStore.sync.SyncFolderSetting.Copy(sync);
    ASSERT_NO_FATAL_FAILURE(OpenNotes());  // the load's pass sends every note
    TestKeyboard kb = Keyboard();
    ASSERT_NE(std::string::npos, Text(editor).find("bread and soup")) << Text(editor);

    // Changed in the sync folder, taken in by a pass while the user is in QuickSearch.
    AIString copy(sync);
    copy.AppendText(L"sync\\Recipes.txt");
    ASSERT_TRUE(RewriteFileNewer(copy.GetText(), "fresh from the phone\n"));
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    SyncFolders(1);
    EXPECT_EQ(std::string::npos, Text(editor).find("fresh from the phone"));
    kb.Press(VK_ESCAPE);
    ASSERT_EQ(editor, GetFocus());
    EXPECT_NE(std::string::npos, Text(editor).find("fresh from the phone")) << Text(editor);
    // Once per pass: the note is not shown again for the same pass.
    EXPECT_EQ(0, WaitForSyncUpdate());

    // Entering again shows nothing anew: the selection stays as the user made it.
    kb.Press(VK_END, kCtrlKey);
    kb.Press(VK_LEFT, kCtrlKey | kShiftKey);
    CHARRANGE before;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&before);
    ASSERT_LT(before.cpMin, before.cpMax);
    ASSERT_NO_FATAL_FAILURE(FocusBox());
    kb.Press(VK_ESCAPE);
    ASSERT_EQ(editor, GetFocus());
    CHARRANGE after;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&after);
    EXPECT_EQ(before.cpMin, after.cpMin);
    EXPECT_EQ(before.cpMax, after.cpMax);

    g_noteStore.sync.SyncFolderSetting.Clear();
    CheckSyncFolders();
    DeleteTree(folder);
}
