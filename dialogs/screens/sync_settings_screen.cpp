// Screen 24, Sync settings: four pages (About, Information, Sync, Share)
// chosen by buttons down the right. The Sync and Share pages hold a folder
// field with a browse button; on closing, whichever way, the two folders
// are checked, stored in the settings and the registry and taken up by the
// sync engine. A folder that cannot be made or written is refused with a
// message and the old one kept. It answers -1.
#include "dialogs/screens/sync_folder_rules.h"
#include "dialogs/screens/sync_settings.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/dialog_shell_links.h"
#include "foundation/app.h"
#include "foundation/message_ids.h"
#include "foundation/registry_key.h"
#include "notestore/note_io.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"
#include <shlobj.h>
#include <windowsx.h>

namespace {

enum {
    kPagesFromRight = 520,
    kPagesFromRightMac = 510,
    kPageTop = 140,
    kPageStep = 40,
    kCloseFromRight = 80,
    kCloseTop = 390,
    kCloudLeft = 160,
    kCloudTop = 390,
    kCloudWidth = 250,
    kBrowseLeft = 482,
    kBrowseTop = 337,
    kBrowseWidth = 24,
    kBrowseHeight = 25,
    kFieldLeft = 160,
    kFieldTop = 340,
    kFieldWidth = 318,
    kFieldHeight = 22,
    kFieldMaxChars = 250,
    kFieldPoints = 10,
    kTextLeft = 160,
    kTextTop = 65,
    kTextRight = 520,
    kTextBottom = 400,
    kPromptTop = 295,
    kTextPoints = 9,
    kBandPictureLeft = 56,      // above the page buttons
    kBandPictureTop = 72,
    kPagePictureLeft = 462,     // beside a folder page's heading
    kPagePictureTop = 52,
    kInformationTextRight = 350,
    kInformationPictureLeft = 365,
};

// The Information page's column of pictures: a shared note, one ready for
// editing, one locked, and the note list's marks.
const int kInformationPictures[] = {IDP_SHARE_SYNC_24, IDP_STATUS_OK_24, IDP_STATUS_WARNING_24, IDP_NOTES_STACK_24};
const int kInformationPictureTops[] = {100, 165, 230, 300};

struct SyncScreenState {
    int page;          // the page shown
    int lastPage;      // the page whose folder the field holds (0 none)
    AIString sync;     // the folders as the user set them on this showing
    AIString share;
    HWND field;
    HFONT fieldFont;
};
SyncScreenState g_sync;

// Worked out once per run: the documents folder + "\My Dropbox\tavik", when
// the "My Dropbox" folder exists.
struct CloudSuggestion {
    int worked;
    int existed;
    AIString folder;
};
CloudSuggestion g_cloud;

void DocumentsCloudFolder(AIString& out)
{
    WCHAR documents[MAX_PATH] = {0};
    out.Clear();
    if (!SHGetSpecialFolderPathW(0, documents, CSIDL_PERSONAL, FALSE)) return;
    out.AssignText(documents).AppendText(L"\\My Dropbox");
}

int IsFolderPage(int page) { return page == kSyncPageSync || page == kSyncPageShare; }
AIString& FolderOfPage(int page) { return page == kSyncPageShare ? g_sync.share : g_sync.sync; }

// Shows the cloud-folder button on the Sync page when a suggestion exists.
int GetDefaultSyncFolder()
{
    if (!g_cloud.worked) {
        AIString path;
        DocumentsCloudFolder(path);
        DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.GetText());
        g_cloud.existed = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (g_cloud.existed) g_cloud.folder.Copy(path.AppendText(L"\\tavik"));
        g_cloud.worked = 1;
    }
    if (!g_cloud.folder.IsEmpty() && g_sync.page == kSyncPageSync) g_screenControls.buttonA.Show();
    return g_cloud.existed;
}

void TakeFieldText(int page)
{
    if (!IsFolderPage(page) || !g_sync.field) return;
    FolderOfPage(page).AssignControlText(g_sync.field);
}

void SelectSyncPage(HWND host)
{
    TakeFieldText(g_sync.lastPage);
    g_sync.lastPage = g_sync.page;
    if (IsFolderPage(g_sync.page)) {
        if (g_sync.page == kSyncPageSync) GetDefaultSyncFolder();
        else g_screenControls.buttonA.Hide();
        if (g_sync.field) {
            SetWindowTextW(g_sync.field, FolderOfPage(g_sync.page).GetText());
            ShowWindow(g_sync.field, SW_SHOWNA);
        }
        g_screenControls.buttonB.Show();
    } else {
        if (g_sync.field) ShowWindow(g_sync.field, SW_HIDE);
        g_screenControls.buttonB.Hide();
        g_screenControls.buttonA.Hide();
    }
    InvalidateRect(host, 0, FALSE);
}

void ShowPage(HWND host, int page)
{
    if (page < kSyncPageAbout || page > kSyncPageCount) return;
    g_sync.page = page;
    SelectSyncPage(host);
}

int BrowseWithShell(int sharePage, AIString& chosen)
{
    BROWSEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.lpszTitle = L"Please select the synchronization folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST root = 0;
    if (sharePage && SUCCEEDED(SHGetSpecialFolderLocation(0, CSIDL_NETWORK, &root))) info.pidlRoot = root;
    LPITEMIDLIST item = SHBrowseForFolderW(&info);
    int ok = 0;
    if (item) {
        WCHAR path[MAX_PATH] = {0};
        if (SHGetPathFromIDListW(item, path)) {
            chosen.AssignText(path);
            ok = 1;
        }
        CoTaskMemFree(item);
    }
    if (root) CoTaskMemFree(root);
    return ok;
}

void BrowseForSyncFolder(HWND host)
{
    AIString chosen;
    if (IsFolderPage(g_sync.page) && g_syncFolderChooser(g_sync.page == kSyncPageShare, chosen)) {
        FolderOfPage(g_sync.page).Copy(chosen);
        if (g_sync.field) SetWindowTextW(g_sync.field, chosen.GetText());
    }
    InvalidateRect(host, 0, FALSE);
}

void SyncOnShow()
{
    SetScreenFrameStyle(kFrameStyleTabs);
    g_sync.page = kSyncPageAbout;
    g_sync.lastPage = 0;
    g_sync.sync.Copy(g_noteStore.sync.SyncFolderSetting);
    g_sync.share.Copy(g_noteStore.sync.ShareFolderSetting);
}

LRESULT SyncOnCreate(HWND host, UINT, WPARAM, LPARAM)
{
    int offset = ScreenContentOffset(), w = g_dialogHost.width;
    int left = w - (g_app.system.IsMac() ? kPagesFromRightMac : kPagesFromRight);
    for (int page = kSyncPageAbout; page <= kSyncPageCount; page++)
        PlaceSharedControl(g_screenControls.tabs[page - 1], SyncPageName(page), left,
                           offset + kPageTop + (page - 1) * kPageStep, kScreenTabWidth, kScreenButtonHeight);
    PlaceSharedControl(g_screenControls.close, L"Close", w - kCloseFromRight, offset + kCloseTop, kScreenCloseWidth,
                       kScreenButtonHeight);
    PlaceSharedControl(g_screenControls.buttonA, L"Click to use Dropbox for sync", offset + kCloudLeft,
                       offset + kCloudTop, kCloudWidth, kScreenButtonHeight);
    g_screenControls.buttonA.Hide();
    PlaceSharedControl(g_screenControls.buttonB, L"", offset + kBrowseLeft, offset + kBrowseTop, kBrowseWidth,
                       kBrowseHeight);
    g_screenControls.buttonB.SetPicture(ScreenPicture(IDP_OPEN_FILE_16));
    g_screenControls.buttonB.Hide();
    g_sync.field = CreateWindowExW(0, L"edit", L"", WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                                   offset + kFieldLeft, offset + kFieldTop, kFieldWidth, kFieldHeight, host, 0,
                                   GetModuleHandleW(0), 0);
    if (g_sync.field) {
        SendMessageW(g_sync.field, EM_LIMITTEXT, kFieldMaxChars, 0);
        HDC dc = GetDC(host);
        int height = -MulDiv(kFieldPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(host, dc);
        g_sync.fieldFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH,
                                       L"Courier New");
        if (g_sync.fieldFont) SendMessageW(g_sync.field, WM_SETFONT, (WPARAM)g_sync.fieldFont, 0);
        AttachHostEditField(g_sync.field);
    }
    GetDefaultSyncFolder();
    return 0;
}

// Checks a folder the user changed; a refused one keeps the stored setting.
void TakeUpFolder(AIString& chosen, const AIString& stored)
{
    FinishFolderSetting(chosen);
    AIString before(stored.GetText());
    FinishFolderSetting(before);
    if (lstrcmpiW(chosen.GetText(), before.GetText()) == 0) {
        chosen.Copy(stored);
        return;
    }
    FolderRefusal refusal = CheckChosenFolder(chosen.GetText());
    if (refusal == kFolderUsable) return;
    g_dialogCenter.ShowMessageWithValues(kMsgFolderCannotBeUsed, AIString(FolderRefusalReason(refusal)), chosen);
    chosen.Copy(stored);
}

void SyncOnClose()
{
    TakeFieldText(g_sync.page);
    NoteSyncState& engine = g_noteStore.sync;
    TakeUpFolder(g_sync.sync, engine.SyncFolderSetting);
    TakeUpFolder(g_sync.share, engine.ShareFolderSetting);
    if (MentionsCloudFolder(g_sync.sync.GetText())) {
        AIString cloud;
        DocumentsCloudFolder(cloud);
        if (!cloud.IsEmpty()) EnsureFolder(cloud.AppendText(L"\\tavik").GetText());
    }
    engine.SyncFolderSetting.Copy(g_sync.sync);
    engine.ShareFolderSetting.Copy(g_sync.share);
    AIRegistryKey key;
    if (key.OpenKey(HKEY_CURRENT_USER, nullptr)) {
        key.WriteString(L"SyncFolder", g_sync.sync.GetText());
        key.WriteString(L"ShareFolder", g_sync.share.GetText());
    }
    CheckSyncFolders();
    if (g_dialogShell.syncFoldersStored) g_dialogShell.syncFoldersStored();
    g_sync.field = 0;  // destroyed with the host
    if (g_sync.fieldFont) DeleteObject(g_sync.fieldFont);
    g_sync.fieldFont = 0;
}

LRESULT SyncOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    AIControl* clicked = SharedControlsMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    InvalidateRect(host, 0, FALSE);
    if (clicked == &g_screenControls.close) {
        CloseScreenWithResult(-1);
        return 0;
    }
    for (int page = kSyncPageAbout; page <= kSyncPageCount; page++)
        if (clicked == &g_screenControls.tabs[page - 1]) ShowPage(host, page);
    if (clicked == &g_screenControls.buttonB) BrowseForSyncFolder(host);
    if (clicked == &g_screenControls.buttonA) {
        g_sync.sync.Copy(g_cloud.folder);
        if (g_sync.field) SetWindowTextW(g_sync.field, g_cloud.folder.GetText());
    }
    return 0;
}

LRESULT SyncOnKeyUp(HWND host, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    // While the folder field has the focus its keys are its own: Esc and
    // Enter do not close the screen, and the page keys wait for the host.
    if (g_sync.field && GetFocus() == g_sync.field) return 0;
    if (key == VK_UP) ShowPage(host, g_sync.page - 1);
    else if (key == VK_DOWN) ShowPage(host, g_sync.page + 1);
    else if (key == VK_ESCAPE || key == VK_RETURN || key == VK_SPACE || key == 'Q') CloseScreenWithResult(-1);
    return 0;
}

void SyncPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawTitledScreenFrame(dc, x, y, width, height, L"Sharing");
}

void SyncPaintContent(HDC dc)
{
    int offset = ScreenContentOffset();
    AIString text;
    SyncPageText(g_sync.page, text);
    int information = g_sync.page == kSyncPageInformation;
    RECT r = {offset + kTextLeft, offset + kTextTop, offset + (information ? kInformationTextRight : kTextRight),
              offset + kTextBottom};
    DrawScreenMarkup(dc, text.GetText(), r, kTextPoints);
    DrawScreenPicture(dc, IDP_SHARE_SYNC_48, offset + kBandPictureLeft, offset + kBandPictureTop);
    if (information)
        for (int i = 0; i < 4; i++)
            DrawScreenPicture(dc, kInformationPictures[i], offset + kInformationPictureLeft,
                              offset + kInformationPictureTops[i]);
    if (IsFolderPage(g_sync.page))
        DrawScreenPicture(dc, g_sync.page == kSyncPageSync ? IDP_SYNC_FOLDER_48 : IDP_SHARE_SYNC_48,
                          offset + kPagePictureLeft, offset + kPagePictureTop);
    if (IsFolderPage(g_sync.page)) {
        RECT prompt = {offset + kTextLeft, offset + kPromptTop, offset + kTextRight, offset + kTextBottom};
        DrawScreenMarkup(dc, SyncPagePrompt(g_sync.page), prompt, kTextPoints);
    }
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
    for (int page = kSyncPageAbout; page <= kSyncPageCount; page++)
        DrawScreenControls(dc, g_screenControls.tabs[page - 1], page == g_sync.page ? kButtonTabSelected : kButtonTab);
    if (g_screenControls.buttonB.IsVisible()) DrawScreenControls(dc, g_screenControls.buttonB, kButtonFramed);
    if (g_screenControls.buttonA.IsVisible()) DrawScreenControls(dc, g_screenControls.buttonA, kButtonFramed);
}

const ScreenHandlers kSyncHandlers = {SyncOnShow,                SyncOnCreate,   SyncOnClose,
                                      SharedControlsOnMouseDown, SyncOnMouseUp,  SharedControlsOnMouseMove,
                                      SyncOnKeyUp,               SyncPaintFrame, SyncPaintContent};

}  // namespace

SyncFolderChooser g_syncFolderChooser = BrowseWithShell;
int SyncSettingsPageShown() { return g_sync.page; }
HWND SyncSettingsFolderField() { return g_sync.field; }

void RegisterSyncSettingsScreen() { RegisterScreen(kScreenSyncSettings, &kSyncHandlers); }
