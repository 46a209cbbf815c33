// The sync settings screen through real windows: its pages by click and
// key, the folder chosen or typed stored in the settings and the registry and
// taken up by the sync engine, and a folder that cannot be made refused.
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "tests/support/keyboard.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/screens/screens.h"
#include "dialogs/screens/sync_folder_rules.h"
#include "dialogs/screens/sync_settings.h"
#include "foundation/registry_key.h"
#include "notestore/note_store.h"
#include "notestore/note_io.h"

namespace {

AIString g_chooserAnswer;
int g_chooserCalls = 0;
int g_chooserSharePage = -1;
int AnswerChooser(int sharePage, AIString& chosen)
{
    g_chooserCalls++;
    g_chooserSharePage = sharePage;
    if (g_chooserAnswer.IsEmpty()) return 0;  // cancelled
    chosen.Copy(g_chooserAnswer);
    return 1;
}

// A fresh folder under the temporary folder (without trailing backslash).
AIString TestFolder(const WCHAR* name)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(L"tavik_sync_screen_").AppendInt((int32_t)GetCurrentProcessId()).AppendText(L"_").AppendText(name);
    return folder;
}

AIString RegistryText(const WCHAR* name)
{
    AIString value;
    AIRegistryKey key;
    if (key.OpenKey(HKEY_CURRENT_USER, nullptr)) key.ReadString(name, value, MAX_PATH);
    return value;
}

int IsFolder(const AIString& path)
{
    DWORD attributes = GetFileAttributesW(path.GetText());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

int FieldShown() { return SyncSettingsFolderField() && IsWindowVisible(SyncSettingsFolderField()) ? 1 : 0; }

class SyncSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetScreenTestState();
        g_syncFolderChooser = AnswerChooser;
        g_chooserAnswer.Clear();
        g_chooserCalls = 0;
        g_noteStore.sync.SyncFolderSetting.Clear();
        g_noteStore.sync.ShareFolderSetting.Clear();
    }
};

void TypeIntoField(const WCHAR* text)
{
    SetWindowTextW(SyncSettingsFolderField(), text);
}

}  // namespace

TEST_F(SyncSettingsTest, PagesByButtonAndKeyWithTheFieldOnlyOnFolderPages)
{
    ScreenRun run = RunScreen(kScreenSyncSettings, [](HWND host) {
        EXPECT_EQ(kSyncPageAbout, SyncSettingsPageShown());
        EXPECT_EQ(0, FieldShown());
        PressHostKey(host, VK_UP);  // nothing above About
        EXPECT_EQ(kSyncPageAbout, SyncSettingsPageShown());
        for (int page = kSyncPageCount; page >= kSyncPageAbout; page--) {
            ClickControlCentre(host, g_screenControls.tabs[page - 1].GetRect());
            EXPECT_EQ(page, SyncSettingsPageShown());
            int folderPage = page == kSyncPageSync || page == kSyncPageShare;
            EXPECT_EQ(folderPage, FieldShown()) << page;
            EXPECT_EQ(folderPage, g_screenControls.buttonB.IsVisible()) << page;
            if (page == kSyncPageShare) {
                EXPECT_FALSE(g_screenControls.buttonA.IsVisible());
            }
        }
        for (int i = 0; i < 6; i++) PressHostKey(host, VK_DOWN);
        EXPECT_EQ(kSyncPageShare, SyncSettingsPageShown());  // nothing below Share
        PressHostKey(host, 'Q');
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(-1, run.result);
    // Every closing key answers -1; each showing starts on About.
    const WPARAM keys[] = {VK_ESCAPE, VK_RETURN, VK_SPACE};
    for (WPARAM key : keys) {
        static WPARAM s_key;
        s_key = key;
        ScreenRun closed = RunScreen(kScreenSyncSettings, [](HWND host) {
            EXPECT_EQ(kSyncPageAbout, SyncSettingsPageShown());
            PressHostKey(host, s_key);
        });
        EXPECT_EQ(-1, closed.result);
        EXPECT_EQ(0, closed.watchdogFired);
    }
    AIString text;
    for (int page = kSyncPageAbout; page <= kSyncPageCount; page++) {
        SyncPageText(page, text);
        EXPECT_GT(text.GetLength(), 100) << page;
    }
}

TEST_F(SyncSettingsTest, ChosenAndTypedFoldersAreStoredAndTakenUpByTheEngine)
{
    AIString syncFolder = TestFolder(L"sync"), shareFolder = TestFolder(L"share");
    g_chooserAnswer.Copy(syncFolder);
    static AIString s_share;
    s_share.Copy(shareFolder);
    ScreenRun run = RunScreen(kScreenSyncSettings, [](HWND host) {
        ClickControlCentre(host, g_screenControls.tabs[kSyncPageSync - 1].GetRect());
        ClickControlCentre(host, g_screenControls.buttonB.GetRect());  // browse
        EXPECT_EQ(0, g_chooserSharePage);
        AIString shown;
        shown.AssignControlText(SyncSettingsFolderField());
        EXPECT_STREQ(Utf8(shown).c_str(), Utf8(g_chooserAnswer).c_str());
        // The Share page types its folder; closing from About keeps both.
        PressHostKey(host, VK_DOWN);
        shown.AssignControlText(SyncSettingsFolderField());
        EXPECT_TRUE(shown.IsEmpty());
        TypeIntoField(s_share.GetText());
        PressHostKey(host, VK_UP);
        PressHostKey(host, VK_UP);
        PressHostKey(host, VK_UP);
        EXPECT_EQ(kSyncPageAbout, SyncSettingsPageShown());
        ClickControlCentre(host, g_screenControls.close.GetRect());
    });
    EXPECT_EQ(-1, run.result);
    AIString syncStored(syncFolder.GetText()), shareStored(shareFolder.GetText());
    syncStored.AppendChar(L'\\');
    shareStored.AppendChar(L'\\');
    EXPECT_STREQ(Utf8(g_noteStore.sync.SyncFolderSetting).c_str(), Utf8(syncStored).c_str());
    EXPECT_STREQ(Utf8(g_noteStore.sync.ShareFolderSetting).c_str(), Utf8(shareStored).c_str());
    EXPECT_STREQ(Utf8(RegistryText(L"SyncFolder")).c_str(), Utf8(syncStored).c_str());
    EXPECT_STREQ(Utf8(RegistryText(L"ShareFolder")).c_str(), Utf8(shareStored).c_str());
    // The engine's paths and the folders' own subfolders are in place.
    EXPECT_STREQ(Utf8(g_noteStore.sync.SyncFolderPath).c_str(), Utf8(syncStored).c_str());
    EXPECT_STREQ(Utf8(g_noteStore.sync.ShareFolderPath).c_str(), Utf8(shareStored).c_str());
    EXPECT_TRUE(IsFolder(AIString(syncStored.GetText()).AppendText(L"sync")));
    EXPECT_TRUE(IsFolder(AIString(shareStored.GetText()).AppendText(L"revisions")));

    // A cancelled browse changes nothing; an emptied field stores nothing.
    g_chooserAnswer.Clear();
    g_chooserCalls = 0;
    RunScreen(kScreenSyncSettings, [](HWND host) {
        ClickControlCentre(host, g_screenControls.tabs[kSyncPageShare - 1].GetRect());
        ClickControlCentre(host, g_screenControls.buttonB.GetRect());
        EXPECT_EQ(1, g_chooserSharePage);
        AIString shown;
        shown.AssignControlText(SyncSettingsFolderField());
        EXPECT_STREQ(Utf8(shown).c_str(), Utf8(AIString(s_share.GetText()).AppendChar(L'\\')).c_str());
        PressHostKey(host, VK_UP);
        TypeIntoField(L"   ");
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(1, g_chooserCalls);
    EXPECT_TRUE(g_noteStore.sync.SyncFolderSetting.IsEmpty());
    EXPECT_TRUE(g_noteStore.sync.SyncFolderPath.IsEmpty());
    EXPECT_TRUE(RegistryText(L"SyncFolder").IsEmpty());
    EXPECT_STREQ(Utf8(g_noteStore.sync.ShareFolderSetting).c_str(), Utf8(shareStored).c_str());
}

TEST_F(SyncSettingsTest, AFolderThatCannotBeMadeIsRefusedAndTheOldOneKept)
{
    AIString kept = TestFolder(L"kept");
    kept.AppendChar(L'\\');
    g_noteStore.sync.SyncFolderSetting.Copy(kept);
    // A folder "inside" a file can never be made.
    AIString file = TestFolder(L"plain_file");
    WriteBytes(file.GetText(), "not a folder");
    static AIString s_bad;
    s_bad.Copy(file);
    s_bad.AppendText(L"\\notes");
    ScreenRun run = RunScreen(kScreenSyncSettings, [](HWND host) {
        PressHostKey(host, VK_DOWN);
        PressHostKey(host, VK_DOWN);
        EXPECT_EQ(kSyncPageSync, SyncSettingsPageShown());
        TypeIntoField(s_bad.GetText());
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(-1, run.result);
    EXPECT_STREQ(Utf8(g_noteStore.sync.SyncFolderSetting).c_str(), Utf8(kept).c_str());
    EXPECT_STREQ(Utf8(RegistryText(L"SyncFolder")).c_str(), Utf8(kept).c_str());
    EXPECT_EQ((uint32_t)kMsgFolderCannotBeUsed, g_dialogCenter.messageId);
    EXPECT_STREQ(Utf8(g_dialogCenter.messageText1).c_str(), "cannot be created");
    EXPECT_STREQ(Utf8(g_dialogCenter.messageText2).c_str(), Utf8(AIString(s_bad.GetText()).AppendChar(L'\\')).c_str());
    EXPECT_EQ(kFolderCannotBeCreated, CheckChosenFolder(s_bad.GetText()));
    EXPECT_EQ(kFolderUsable, CheckChosenFolder(L""));
    DeleteFileW(file.GetText());
}

TEST_F(SyncSettingsTest, AFolderThatCannotBeWrittenIsRefusedAndTheOldOneKept)
{
    AIString kept = TestFolder(L"kept_writable");
    CreateDirectoryW(kept.GetText(), nullptr);
    kept.AppendChar(L'\\');
    g_noteStore.sync.SyncFolderSetting.Copy(kept);
    static AIString s_locked;
    s_locked = TestFolder(L"locked");
    CreateDirectoryW(s_locked.GetText(), nullptr);
    g_dialogCenter.messageId = 0;
    // Tests run with every right: the write probe is made to fail instead.
    g_noteIoFaults.failCreate = 1;
    ScreenRun run = RunScreen(kScreenSyncSettings, [](HWND host) {
        PressHostKey(host, VK_DOWN);
        PressHostKey(host, VK_DOWN);
        TypeIntoField(s_locked.GetText());
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(kFolderNotWritable, CheckChosenFolder(s_locked.GetText()));
    g_noteIoFaults.failCreate = 0;
    EXPECT_EQ(-1, run.result);
    EXPECT_STREQ(Utf8(g_noteStore.sync.SyncFolderSetting).c_str(), Utf8(kept).c_str());
    EXPECT_EQ((uint32_t)kMsgFolderCannotBeUsed, g_dialogCenter.messageId);
    EXPECT_STREQ(Utf8(g_dialogCenter.messageText1).c_str(), "cannot be written to");
    EXPECT_EQ(kFolderUsable, CheckChosenFolder(s_locked.GetText()));
    RemoveDirectoryW(s_locked.GetText());
}

namespace {

struct FieldKeys {
    int pageAfterKeys = 0;
    int fieldText = 0;
    int browseInsideFrame = 0;
    int browseBesideField = 0;
} g_fieldKeys;

}  // namespace

TEST_F(SyncSettingsTest, EscAndEnterInTheFolderFieldAreTheFieldsAndTheBrowseButtonStaysInTheFrame)
{
    g_fieldKeys = FieldKeys();
    ScreenRun run = RunScreen(kScreenSyncSettings, [](HWND host) {
        TestKeyboard keys;
        keys.Press(VK_DOWN);
        keys.Press(VK_DOWN);
        HWND field = SyncSettingsFolderField();
        RECT r;
        GetWindowRect(field, &r);
        MapWindowPoints(0, host, (POINT*)&r, 2);
        keys.Click(field, 5, 5);
        SetFocus(field);
        keys.PumpUntil([field] { return GetFocus() == field; });
        keys.Type(L"D:\\Q drive");
        keys.Press(VK_RETURN);
        keys.Press(VK_ESCAPE);
        keys.Press(VK_UP);
        g_fieldKeys.pageAfterKeys = SyncSettingsPageShown();
        AIString text;
        text.AssignControlText(field);
        g_fieldKeys.fieldText = text.EqualsString(AIString(L"D:\\Q drive")) ? 1 : 0;
        RECT browse = g_screenControls.buttonB.GetRect(), client;
        GetClientRect(host, &client);
        // The page's column ends 20 pixels inside the host; the frame's edge lies beyond.
        g_fieldKeys.browseInsideFrame = browse.right <= client.right - 20;
        g_fieldKeys.browseBesideField = browse.left >= r.right;
        // Back on the host, Esc is the screen's again.
        SetFocus(host);
        keys.Press(VK_ESCAPE);
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(kSyncPageSync, g_fieldKeys.pageAfterKeys) << "keys in the field moved the page or closed the screen";
    EXPECT_EQ(1, g_fieldKeys.fieldText);
    EXPECT_EQ(1, g_fieldKeys.browseInsideFrame);
    EXPECT_EQ(1, g_fieldKeys.browseBesideField);
    EXPECT_EQ(-1, run.result);
}

TEST_F(SyncSettingsTest, FolderTextsAreStoredWithOneTrailingBackslash)
{
    AIString folder(L"  D:\\Box ");
    FinishFolderSetting(folder);
    EXPECT_STREQ(Utf8(folder).c_str(), "D:\\Box\\");
    FinishFolderSetting(folder);
    EXPECT_STREQ(Utf8(folder).c_str(), "D:\\Box\\");
    AIString empty(L"   ");
    FinishFolderSetting(empty);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(1, MentionsCloudFolder(L"E:\\My DropBox\\work"));
    EXPECT_EQ(1, MentionsCloudFolder(L"dropbox"));
    EXPECT_EQ(0, MentionsCloudFolder(L"E:\\Drop\\box"));
    EXPECT_EQ(0, MentionsCloudFolder(nullptr));
}
