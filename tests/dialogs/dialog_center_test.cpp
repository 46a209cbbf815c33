// The dialog centre and the backdrop with real windows: screens run modally
// and always end, messages wait while a screen is up, the note-dialog prompts
// and the File panel's choices.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/message_box.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screen_launchers.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"

namespace {

// A stand-in for the dialog host: what the screen does once it is asked for.
struct HostScript {
    int calls;
    LPARAM screenAsked;
    int32_t result;          // stored as the screen's choice
    int raiseMessage;        // a message raised while the screen is up
    int postQuit;
    int closeApplication;
};
HostScript g_host;

LRESULT TestHostReceiver(HWND backdrop, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != MsgCommandByName || (uint32_t)wParam != HashName("ShowDialog")) return 1;
    g_host.calls++;
    g_host.screenAsked = lParam;
    DialogState = kDialogOpen;
    if (g_host.raiseMessage) g_dialogCenter.ShowMessage((uint32_t)g_host.raiseMessage);
    if (g_host.postQuit) {
        PostQuitMessage(7);
        return 1;
    }
    if (g_host.closeApplication) {
        g_app.SetRunState(kRunClosing);
        PostMessageW(backdrop, WM_NULL, 0, 0);
        return 1;
    }
    g_dialogCenter.result = g_host.result;
    DialogState = kDialogClosing;
    PostMessageW(backdrop, WM_CLOSE, 0, 1);
    return 1;
}

int AllScreens(int32_t) { return 1; }

class DialogCenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDialogTestState();
        g_host = HostScript();
        g_dialogHostReceiver = TestHostReceiver;
    }
    void TearDown() override { g_app.SetRunState(kRunRunning); }
};

int BackdropDone() { return g_dialogCenter.done ? 1 : 0; }

}  // namespace

TEST_F(DialogCenterTest, ScreenResultOneComesBackAsZeroAndMinusOneUnchanged)
{
    const int32_t chosen[3] = {1, -1, 3};
    const int32_t expected[3] = {0, -1, 3};
    for (int i = 0; i < 3; i++) {
        g_host.result = chosen[i];
        EXPECT_EQ(expected[i], g_dialogCenter.RunDialogScreen(kScreenAbout)) << chosen[i];
        EXPECT_EQ(kScreenAbout, g_host.screenAsked);
        EXPECT_EQ(0u, g_dialogCenter.busy);
        EXPECT_EQ(0, DialogState);
        EXPECT_EQ(0, GetBackdropWindow() != 0);
        EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
        EXPECT_TRUE(g_testWindows.statusText.EqualsText(L"Ready"));
    }
    EXPECT_EQ(3, g_host.calls);
    // Each screen counted once up and once down.
    EXPECT_EQ(0, DialogOpenCount);
}

TEST_F(DialogCenterTest, ModalLoopEndsOnQuitOnClosingAndWithoutBackdrop)
{
    g_host.postQuit = 1;
    EXPECT_EQ(-1, g_dialogCenter.RunDialogScreen(kScreenTipOfDay));
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(0, DialogState);
    EXPECT_EQ(0, GetBackdropWindow() != 0);
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
    // The quit stays for the main loop.
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);

    g_host = HostScript();
    g_host.closeApplication = 1;
    g_host.result = 5;
    EXPECT_EQ(-1, g_dialogCenter.RunDialogScreen(kScreenTipOfDay));
    EXPECT_EQ(0u, g_dialogCenter.busy);
    g_app.SetRunState(kRunRunning);

    // No backdrop could be made: nothing is waited for.
    g_dialogCenter.screenCallback = [](void) -> HWND { return 0; };
    EXPECT_EQ(-1, g_dialogCenter.RunDialogScreen(kScreenTipOfDay));
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(0, DialogState);
}

namespace {

// A loop that should end by itself and did not: the watchdog's quit ends it.
int g_watchdogFired = 0;
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    g_watchdogFired = 1;
    PostQuitMessage(0);
}

int32_t RunScreenWithWatchdog(int32_t screenId)
{
    g_watchdogFired = 0;
    UINT_PTR timer = SetTimer(0, 0, 4000, Watchdog);
    int32_t result = g_dialogCenter.RunDialogScreen(screenId);
    KillTimer(0, timer);
    MSG msg;
    if (g_watchdogFired) PeekMessageW(&msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE);
    return result;
}

}  // namespace

// Nobody receives "ShowDialog" (no dialog host yet, or an unknown screen id):
// the loop still ends, with or without a frame to lay the backdrop over.
TEST_F(DialogCenterTest, ScreenWithoutAReceiverEndsWithAndWithoutAFrame)
{
    g_dialogHostReceiver = 0;
    for (int withFrame = 1; withFrame >= 0; withFrame--) {
        if (!withFrame) {
            g_dialogShell.frame = 0;
            g_dialogShell.content = 0;
            g_app.SetMainWindow(0);
        }
        EXPECT_EQ(-1, RunScreenWithWatchdog(0)) << withFrame;
        EXPECT_EQ(0, g_watchdogFired) << withFrame;
        EXPECT_EQ(0u, g_dialogCenter.busy) << withFrame;
        EXPECT_EQ(0, DialogState) << withFrame;
        EXPECT_EQ(0, GetBackdropWindow() != 0) << withFrame;
        EXPECT_EQ(0, DialogOpenCount) << withFrame;
        EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame)) << withFrame;
    }
    // A minimised frame has an empty client area: the backdrop is never painted.
    ResetDialogTestState();
    ShowWindow(g_testWindows.frame, SW_MINIMIZE);
    EXPECT_EQ(-1, RunScreenWithWatchdog(kScreenAbout));
    EXPECT_EQ(0, g_watchdogFired);
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(0, GetBackdropWindow() != 0);
    ShowWindow(g_testWindows.frame, SW_RESTORE);
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
}

TEST_F(DialogCenterTest, MessageRaisedUnderAScreenWaitsForTheNextUpdate)
{
    g_host.raiseMessage = 1;
    g_host.result = 2;
    EXPECT_EQ(2, g_dialogCenter.RunDialogScreen(kScreenShortcuts));
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ(1u, g_dialogCenter.messageId);
    EXPECT_EQ(1, g_dialogCenter.UpdateMessageBox(0));
    ASSERT_TRUE(g_messageBox.box != 0);
    EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(L"Cannot delete"));
    EXPECT_EQ((uint32_t)kDialogMessageShown, g_dialogCenter.kind);

    // Opening a screen closes the box first without counting it.
    g_host = HostScript();
    g_host.result = -1;
    EXPECT_EQ(-1, g_dialogCenter.RunDialogScreen(kScreenShortcuts));
    EXPECT_EQ(0, g_messageBox.box != 0);
    EXPECT_EQ(0, DialogOpenCount);
}

TEST_F(DialogCenterTest, BackdropOnlyClosesAfterItsFirstPaint)
{
    int asked = 0;
    static int* askedPointer;
    askedPointer = &asked;
    g_dialogHostReceiver = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { (*askedPointer)++; return 1; };
    g_dialogCenter.kind = kOwnerBackdropOnly;
    g_dialogCenter.busy = 1;
    g_app.SetActiveWindowId(800);
    RequestModalDialog(1, RequestDialogScreen, kOwnerBackdropOnly);
    CreateBackdropWindow();
    HWND backdrop = GetBackdropWindow();
    ASSERT_TRUE(backdrop != 0);
    EXPECT_EQ(0, g_backdrop.lowTarget);
    EXPECT_FALSE(IsWindowEnabled(g_testWindows.frame));
    EXPECT_FALSE(IsWindowEnabled(backdrop));
    UpdateWindow(backdrop);  // the first paint
    ASSERT_TRUE(PumpUntil(BackdropDone, 2000));
    EXPECT_EQ(1u, g_dialogCenter.done);
    EXPECT_EQ(kDialogRestored, DialogState);
    EXPECT_EQ(0, asked);
    EXPECT_FALSE(IsWindow(backdrop));
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(200, g_app.GetActiveWindowId());  // the content window, not the backdrop
}

TEST_F(DialogCenterTest, BackdropTargetsAndSystemCommands)
{
    g_app.system.SetCpuSpeedIndex(400);
    int32_t low, high;
    const int32_t rows[][3] = {{98, 255, 255}, {8, 100, 255}, {101, 0, 255}, {11, 100, 250},
                               {22, 20, 250},  {6, 100, 255}, {24, 100, 255}, {99, 255, 255}, {7, 255, 255}};
    for (const auto& r : rows) {
        BackdropTargetsFor(r[0], &low, &high);
        EXPECT_EQ(r[1], low) << r[0];
        EXPECT_EQ(r[2], high) << r[0];
    }
    g_app.system.SetCpuSpeedIndex(200);  // too slow to fade: starts at its final darkness
    BackdropTargetsFor(22, &low, &high);
    EXPECT_EQ(20, high);

    // The backdrop cannot be closed, moved or sized by system commands.
    RequestModalDialog(1, RequestDialogScreen, 6);
    CreateBackdropWindow();
    HWND backdrop = GetBackdropWindow();
    ASSERT_TRUE(backdrop != 0);
    EXPECT_EQ(1, SendMessageW(backdrop, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_TRUE(IsWindow(backdrop));
    DestroyDialogWindows();
    EXPECT_EQ(kDialogRestored, DialogState);  // destroyed early, the windows are given back
    g_app.system.SetCpuSpeedIndex(400);
}

TEST_F(DialogCenterTest, ANewDialogNeverLeavesAnEarlierBackdropBehind)
{
    // The first backdrop is still up (its close not yet carried out) when
    // the next dialog asks for its own: the first one must not stay over the
    // program with nobody left to destroy it.
    RequestModalDialog(1, RequestDialogScreen, 6);
    CreateBackdropWindow();
    HWND first = GetBackdropWindow();
    ASSERT_TRUE(first != 0);
    g_dialogCenter.done = 0;
    RequestModalDialog(1, RequestDialogScreen, 6);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(0u, g_dialogCenter.done);  // the new dialog's state is untouched
    CreateBackdropWindow();
    HWND second = GetBackdropWindow();
    ASSERT_TRUE(second != 0);
    EXPECT_NE(first, second);
    DestroyDialogWindows();
    EXPECT_FALSE(IsWindow(second));
}

TEST_F(DialogCenterTest, OpenCountStaysWithinItsRange)
{
    DialogOpenCount = 0;
    CountDialogClosed();
    EXPECT_EQ(0, DialogOpenCount);
    DialogOpenCount = 1500;
    CountDialogClosed();
    EXPECT_EQ(1000, DialogOpenCount);
}

namespace {

struct NoteDialogScript {
    int calls;
    uint32_t kindSeen;
    int32_t answer;
    const WCHAR* edited;
    AIString promptSeen;
};
NoteDialogScript g_noteDialog;

void TestNoteDialog()
{
    g_noteDialog.calls++;
    g_noteDialog.kindSeen = g_dialogCenter.kind;
    g_noteDialog.promptSeen.Copy(g_dialogCenter.promptText);
    if (g_noteDialog.edited) {
        g_dialogCenter.editedValue.AssignText(g_noteDialog.edited);
        g_dialogCenter.linkLabel.AssignText(g_noteDialog.edited);
    }
    g_dialogCenter.noteDialogAnswer = g_noteDialog.answer;
}

}  // namespace

TEST_F(DialogCenterTest, NoteDialogPromptsCopyBackOnlyWhenAccepted)
{
    // Until the note dialog exists the stored answer comes back and nothing stays busy.
    AIString title(L"Old <b>title</b>");
    g_dialogCenter.noteDialogAnswer = 5;
    EXPECT_EQ(5, g_dialogCenter.RenameNoteDialog(title));
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(0, DialogState);

    g_dialogCenter.noteDialogCallback = TestNoteDialog;
    g_noteDialog = NoteDialogScript();
    g_noteDialog.answer = 1;
    g_noteDialog.edited = L"New title";
    EXPECT_EQ(1, g_dialogCenter.RenameNoteDialog(title));
    EXPECT_TRUE(title.EqualsText(L"New title"));
    EXPECT_EQ((uint32_t)kDialogRename, g_noteDialog.kindSeen);
    // The old title is shown as text, never as mark-up.
    EXPECT_TRUE(g_noteDialog.promptSeen.EqualsText(
        L"Please enter a new, unique title for <br><b>'Old &lt;b&gt;title&lt;/b&gt;'</b>"));

    g_noteDialog.answer = 0;
    EXPECT_EQ(0, g_dialogCenter.RenameNoteDialog(title));
    EXPECT_TRUE(title.EqualsText(L"New title"));

    AIString proposed(L"A proposed title that is far too long");
    g_noteDialog.answer = 0;
    g_noteDialog.edited = 0;
    g_dialogCenter.NewNoteDialog(proposed, 1);
    EXPECT_TRUE(proposed.IsEmpty());
    EXPECT_TRUE(g_dialogCenter.dialogTitle.EqualsText(L"New Note (template)"));
    EXPECT_TRUE(g_testWindows.statusText.EqualsText(L"Create a new note"));

    AIString label(L"label"), target(L"c:\\x.txt");
    g_dialogCenter.copyFileFlag = 1;
    g_noteDialog.answer = 1;
    g_noteDialog.edited = L"renamed";
    EXPECT_EQ(1, g_dialogCenter.EditHyperlinkDialog(label, target, 0, 0, 0));
    EXPECT_TRUE(g_noteDialog.promptSeen.EqualsText(L"Copy file and create hyperlink to it"));
    EXPECT_TRUE(label.EqualsText(L"renamed"));
    EXPECT_EQ(0u, g_dialogCenter.copyFileFlag);
    g_dialogCenter.EditHyperlinkDialog(label, target, 0, -100, 0);
    EXPECT_TRUE(g_noteDialog.promptSeen.EqualsText(L"Create hyperlink to existing (local) file"));

    // The generic prompt needs all of its texts and values.
    int calls = g_noteDialog.calls;
    g_dialogCenter.noteDialogAnswer = 9;
    EXPECT_EQ(9, g_dialogCenter.PromptNoteDialog(L"Title", L"Prompt", 1, L"ok", 0, L"cancel", L"help"));
    EXPECT_EQ(calls, g_noteDialog.calls);
    EXPECT_EQ(1, g_dialogCenter.PromptNoteDialog(L"Title", L"Prompt", 1, L"ok", 2, L"cancel", L"help"));
    EXPECT_EQ(calls + 1, g_noteDialog.calls);
}

TEST_F(DialogCenterTest, LaunchersWaitForTheirScreens)
{
    EXPECT_EQ(-1, ShowAboutScreen());
    EXPECT_EQ(-1, ShowShortcutsScreen());
    EXPECT_EQ(-1, BrowseLinksScreen());
    EXPECT_EQ(-1, HandleFileCommand());
    EXPECT_EQ(0, g_testWindows.statusCalls);

    g_screenAvailable = AllScreens;
    g_host.result = 1;
    EXPECT_EQ(0, ShowAboutScreen());
    EXPECT_EQ(kScreenAbout, g_host.screenAsked);

    // The paste screen needs a bitmap on the clipboard.
    if (OpenClipboard(g_testWindows.frame)) {
        EmptyClipboard();
        CloseClipboard();
    }
    EXPECT_EQ(0, ShowPasteImageScreen());
    EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(L"Paste bitmap failed"));
}

TEST_F(DialogCenterTest, FilePanelChoicesReachTheFrame)
{
    const int32_t choices[][2] = {{1, IDM_NEW_DATAFILE}, {2, IDM_OPEN_DATAFILE}, {4, IDM_SAVE_COPY},
                                  {5, IDM_PRINT_NOTE},   {6, IDM_PAGE_SETUP_PRINT}, {99, IDM_EXIT}};
    for (const auto& c : choices) {
        g_testWindows.lastFrameCommand = 0;
        EXPECT_EQ(c[0], CarryOutFileCommand(c[0]));
        EXPECT_EQ((UINT)c[1], g_testWindows.lastFrameCommand) << c[0];
    }
    g_testWindows.frameCommands = 0;
    EXPECT_EQ(7, CarryOutFileCommand(7));
    EXPECT_EQ(98, CarryOutFileCommand(98));
    EXPECT_EQ(109, CarryOutFileCommand(109));
    EXPECT_EQ(-1, CarryOutFileCommand(-1));
    EXPECT_EQ(105, CarryOutFileCommand(105));  // an empty recent slot
    EXPECT_EQ(0, g_testWindows.frameCommands);

    // Through the panel: the choice comes back as it was made.
    g_screenAvailable = AllScreens;
    g_host.result = 4;
    EXPECT_EQ(4, HandleFileCommand());
    EXPECT_EQ(kScreenFilePanel, g_host.screenAsked);
    EXPECT_EQ((UINT)IDM_SAVE_COPY, g_testWindows.lastFrameCommand);
    EXPECT_EQ(0u, g_dialogCenter.busy);
}

namespace {

// A data file of the given notes (titles in order), in the temporary folder.
void WriteDatafile(const AIString& path, const WCHAR* const titles[], int count)
{
    AIString text(L"\xFEFFTavik 10\r\n");
    for (int i = 0; i < count; i++)
        text.AppendChar(0x00A4).AppendText(titles[i]).AppendText(L"\r\nText of the note\r\n{{\r\n}}\r\n");
    HANDLE file = CreateFileW(path.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    DWORD written = 0;
    WriteFile(file, text.GetText(), (DWORD)text.GetLength() * 2, &written, 0);
    CloseHandle(file);
}

AIString TempPath(const WCHAR* name)
{
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    AIString path(folder);
    path.AppendText(name);
    return path;
}

}  // namespace

TEST_F(DialogCenterTest, RecentDataFilesAndRefresh)
{
    SettingsRecord& settings = g_app.settings.Record();
    AIString path = TempPath(L"dialogs-refresh.tavik");
    const WCHAR* const titles[] = {L"Beta", L"Gamma"};
    WriteDatafile(path, titles, 2);
    ASSERT_EQ(1, LoadDatafile(path.GetText()));

    // The open data file chosen again: nothing happens.
    AIString upper(path);
    upper.ToUpperCase();
    SettingsSetRecentFile(settings, 0, upper.GetText());
    EXPECT_EQ(0, CarryOutFileCommand(101));
    EXPECT_EQ(0, g_testWindows.frameCommands);

    // Portable mode opens only files inside the data folder.
    SettingsSetRecentFile(settings, 1, L"Z:\\elsewhere\\other.tavik");
    g_app.system.SetPortable(1);
    EXPECT_EQ(102, CarryOutFileCommand(102));
    g_app.system.SetPortable(0);
    ASSERT_TRUE(g_messageBox.box != 0);
    EXPECT_TRUE(g_messageBox.texts.caption.EqualsText(L"Cannot open data file"));
    g_dialogCenter.UpdateMessageBox(-1);
    EXPECT_TRUE(g_noteStore.datafilePath.EqualsString(path));

    // Another recent file goes to the shell's open; a refused one leaves the list,
    // one not tried (the open file could not be saved) stays.
    AIString other = TempPath(L"dialogs-other.tavik");
    SettingsSetRecentFile(settings, 2, other.GetText());
    g_testWindows.openAnswer = -1;
    EXPECT_EQ(103, CarryOutFileCommand(103));
    EXPECT_TRUE(g_testWindows.openedPath.EqualsString(other));
    AIString kept;
    SettingsGetRecentFile(settings, 2, kept);
    EXPECT_TRUE(kept.EqualsString(other));
    g_testWindows.openAnswer = 0;
    EXPECT_EQ(103, CarryOutFileCommand(103));
    SettingsGetRecentFile(settings, 2, kept);
    EXPECT_TRUE(kept.IsEmpty());

    // Refresh is the shell's own.
    EXPECT_EQ(3, CarryOutFileCommand(3));
    EXPECT_EQ(1, g_testWindows.refreshes);
    CloseDatafile();
    DeleteFileW(path.GetText());
}

TEST_F(DialogCenterTest, WithoutAPaintTheEleventhTickAsksForTheDialog)
{
    g_dialogCenter.kind = kScreenAbout;
    g_dialogCenter.busy = 1;
    RequestModalDialog(1, RequestDialogScreen, kScreenAbout);
    CreateBackdropWindow();
    HWND backdrop = GetBackdropWindow();
    ASSERT_TRUE(backdrop != 0);
    ValidateRect(backdrop, 0);
    for (int i = 0; i < 10; i++) SendMessageW(backdrop, WM_TIMER, kBackdropFadeTimer, 0);
    EXPECT_EQ(0, g_host.calls);
    SendMessageW(backdrop, WM_TIMER, kBackdropFadeTimer, 0);
    EXPECT_EQ(1, g_host.calls);
    EXPECT_EQ(kScreenAbout, g_host.screenAsked);
    EXPECT_EQ(-1, g_backdrop.darkeningPhase);
    ASSERT_TRUE(PumpUntil(BackdropDone, 3000));  // the stand-in host closes again
    EXPECT_EQ(kDialogRestored, DialogState);
}

namespace {

int g_noteReceiverCalls = 0;

LRESULT TestNoteDialogReceiver(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message != MsgCommandByName || (uint32_t)wParam != HashName("ShowDialog")) return 1;
    // The note dialog would run modally here; it is accepted at once.
    g_noteReceiverCalls++;
    g_dialogCenter.editedValue.AssignText(L"Renamed");
    g_dialogCenter.noteDialogAnswer = 1;
    DialogState = kDialogClosing;
    return 1;
}

// Opens the note dialog over the backdrop, as the note dialogs do.
void NoteDialogOverBackdrop()
{
    RequestModalDialog(1, 0, kOwnerNoteDialogs);
    CreateBackdropWindow();
    PumpUntil([]() -> int { return g_noteReceiverCalls > 0; }, 3000);
}

int DialogRestored() { return DialogState == kDialogRestored ? 1 : 0; }

}  // namespace

TEST_F(DialogCenterTest, NoteDialogBackdropFadesOutAfterPlacing)
{
    g_noteReceiverCalls = 0;
    g_noteDialogReceiver = TestNoteDialogReceiver;
    g_dialogCenter.noteDialogCallback = NoteDialogOverBackdrop;
    AIString title(L"Old");
    EXPECT_EQ(1, g_dialogCenter.RenameNoteDialog(title));
    EXPECT_EQ(1, g_noteReceiverCalls);
    EXPECT_TRUE(title.EqualsText(L"Renamed"));
    // The note dialogs' backdrop never darkens.
    EXPECT_EQ(255, g_backdrop.lowTarget);
    ASSERT_TRUE(PumpUntil(DialogRestored, 3000));
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(0, GetBackdropWindow() != 0);
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
    EXPECT_EQ(0, DialogOpenCount);
}

namespace {
int g_previewShowing = 0;
int g_previewHides = 0;
int PreviewShowingForTest() { return g_previewShowing; }
void HidePreviewForTest() { g_previewHides++; g_previewShowing = 0; }
}  // namespace

TEST_F(DialogCenterTest, AMessageHidesTheQuickPreviewThroughTheShellsLink)
{
    g_dialogShell.isQuickPreviewShowing = PreviewShowingForTest;
    g_dialogShell.hideQuickPreview = HidePreviewForTest;
    g_previewShowing = 1;
    g_previewHides = 0;
    g_dialogCenter.ShowMessage(1);
    EXPECT_EQ(g_previewHides, 1);
    g_dialogCenter.CloseActiveDialog();
    // Nothing to hide: not asked again.
    g_dialogCenter.ShowMessage(1);
    EXPECT_EQ(g_previewHides, 1);
    g_dialogCenter.CloseActiveDialog();
    g_dialogShell.isQuickPreviewShowing = nullptr;
    g_dialogShell.hideQuickPreview = nullptr;
}
