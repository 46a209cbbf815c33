#include "shell/shell_settings.h"
#include "dialogs/screens/favourites_table.h"
#include "dialogs/screens/tip_of_day.h"
#include "shell/shell_ids.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "foundation/registry_key.h"
#include "foundation/trace.h"

AIString SyncFolderSetting;
AIString ShareFolderSetting;
int32_t SyncFolderUnset = 1;
int32_t ShareFolderUnset = 1;
AIString FavouritesText;

void LoadSettings()
{
    TRACE_SCOPE(kTraceShellSettings, 1);
    SyncFolderSetting.Clear();
    ShareFolderSetting.Clear();
    AIRegistryKey key;
    if (key.OpenKey(HKEY_CURRENT_USER, nullptr)) {
        key.ReadString(L"SyncFolder", SyncFolderSetting, MAX_PATH);
        key.ReadString(L"ShareFolder", ShareFolderSetting, MAX_PATH);
    }
    SyncFolderUnset = SyncFolderSetting.IsEmpty() ? 1 : 0;
    ShareFolderUnset = ShareFolderSetting.IsEmpty() ? 1 : 0;
    g_noteStore.sync.SyncFolderSetting.Copy(SyncFolderSetting);
    g_noteStore.sync.ShareFolderSetting.Copy(ShareFolderSetting);
    SettingsRecord& record = g_app.settings.Record();
    MoveTipOnAtStart(record);
    SettingsGetFavouritesText(record, FavouritesText);
    g_favourites.Load(FavouritesText.GetText());
}

void TakeUpSyncFolderSettings()
{
    SyncFolderSetting.Copy(g_noteStore.sync.SyncFolderSetting);
    ShareFolderSetting.Copy(g_noteStore.sync.ShareFolderSetting);
    SyncFolderUnset = SyncFolderSetting.IsEmpty() ? 1 : 0;
    ShareFolderUnset = ShareFolderSetting.IsEmpty() ? 1 : 0;
}

static const WCHAR* PlacementValueName()
{
    const WCHAR* name = g_app.GetName();
    return name && name[0] ? name : L"Tavik";
}

int ReadFramePlacement(FramePlacementRecord* record)
{
    AIRegistryKey key;
    if (!key.OpenKey(HKEY_CURRENT_USER, nullptr)) return 0;
    uint32_t size = 0;
    FramePlacementRecord read;
    if (!key.ReadBinary(PlacementValueName(), &read, sizeof read, &size) || size != sizeof read) return 0;
    read.lastTitle[31] = 0;
    *record = read;
    return 1;
}

int WriteFramePlacement(const FramePlacementRecord* record)
{
    AIRegistryKey key;
    if (!key.OpenKey(HKEY_CURRENT_USER, nullptr)) return 0;
    return key.WriteBinary(PlacementValueName(), record, sizeof *record);
}

static void CollectFramePlacement(FramePlacementRecord* record)
{
    *record = FramePlacementRecord();
    HWND frame = g_frame.GetHwndField();
    if (frame) {
        record->placement.length = sizeof(WINDOWPLACEMENT);
        GetWindowPlacement(frame, &record->placement);
    }
    record->ribbonMode = g_frame.ribbonMode;
    record->splitX = g_mainPanel.splitX;
    record->scrollX = g_mainPanel.previousView[0];
    record->scrollY = g_mainPanel.previousView[1];
    record->selectionStart = g_mainPanel.previousView[2];
    record->selectionEnd = g_mainPanel.previousView[3];
    CopyTextBounded(record->lastTitle, 32, g_mainPanel.lastShownTitle.GetText());
}

int StoreFramePlacementOnly()
{
    if (!g_frame.GetHwndField()) return 0;
    FramePlacementRecord stored, record;
    int hadRecord = ReadFramePlacement(&stored);
    CollectFramePlacement(&record);
    // The note to open next and its view are the stored ones until a note shows.
    record.scrollX = hadRecord ? stored.scrollX : 0;
    record.scrollY = hadRecord ? stored.scrollY : 0;
    record.selectionStart = hadRecord ? stored.selectionStart : 0;
    record.selectionEnd = hadRecord ? stored.selectionEnd : 0;
    CopyTextBounded(record.lastTitle, 32, hadRecord ? stored.lastTitle : L"");
    return WriteFramePlacement(&record);
}

int StoreShownNotePlacement()
{
    if (!g_frame.GetHwndField()) return 0;
    FramePlacementRecord record;
    CollectFramePlacement(&record);
    return WriteFramePlacement(&record);
}
