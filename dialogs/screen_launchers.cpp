#include "dialogs/screen_launchers.h"
#include "foundation/clipboard.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "foundation/ai_string_list.h"
#include "notestore/note_store.h"

ScreenAvailability g_screenAvailable = 0;

int IsScreenAvailable(int32_t screenId)
{
    return g_screenAvailable && g_screenAvailable(screenId) ? 1 : 0;
}

namespace {

int32_t Launch(const WCHAR* statusText, int32_t screenId)
{
    if (!IsScreenAvailable(screenId)) return -1;
    if (statusText) DialogSetStatusText(statusText, kStatusDone);
    return g_dialogCenter.RunDialogScreen(screenId);
}

// The image browser chose a note: it becomes the current note; the note
// shown so far moves to the end of the recently viewed list.
void OpenChosenNote(const AIString& title)
{
    int32_t index = FindNoteByTitle(title.GetText(), 0, 0);
    if (index < 0) return;  // the previous note stays current
    AIStringList* recent = g_noteStore.recentlyViewed;
    AIString shown;
    if (g_noteStore.currentIndex >= 0) GetNoteTitle(g_noteStore.currentIndex, shown);
    if (recent && !shown.IsEmpty()) {
        int at = recent->FindItemExact(shown.GetText());
        if (at >= 0) recent->RemoveItem(at);
        recent->AddString(shown.GetText());
        recent->SetItemInt(0, 0);
    }
    if (g_dialogShell.setCurrentNote) g_dialogShell.setCurrentNote(index);
    if (g_dialogShell.showNote) g_dialogShell.showNote(index);
}

}  // namespace

int32_t ShowWelcomeScreen() { return Launch(0, kScreenWelcome); }
int32_t ShowAboutScreen() { return Launch(L"About Orvanta Tavik", kScreenAbout); }
int32_t ShowGettingStartedScreen() { return Launch(L"Getting started with Orvanta Tavik", kScreenGettingStarted); }
int32_t ShowShortcutsScreen() { return Launch(L"View shortcut keys", kScreenShortcuts); }
int32_t ShowTipOfDayScreen() { return Launch(L"Tip of the day...", kScreenTipOfDay); }
int32_t ShowFirstStartScreen() { return Launch(L"Welcome to Tavik", kScreenFirstStart); }
int32_t ShowFavoritesScreen() { return Launch(L"Favorite notes", kScreenFavourites); }
int32_t ShowSyncSettingsScreen() { return Launch(L"Share/Sync settings", kScreenSyncSettings); }

namespace {
PasteImageRequest g_pasteRequest;
}

const PasteImageRequest& CurrentPasteImageRequest() { return g_pasteRequest; }

int32_t ShowPasteImageScreen() { return ShowPasteImageScreenFor(PasteImageRequest()); }

int32_t ShowPasteImageScreenFor(const PasteImageRequest& request)
{
    if (!request.editImage && !AIClipboard(0).HasPicture()) {
        g_dialogCenter.ShowMessage(kMsgPasteBitmapFailed);
        return 0;
    }
    g_pasteRequest = request;
    int32_t result = Launch(0, kScreenPasteImage);
    g_pasteRequest = PasteImageRequest();
    return result;
}

int32_t BrowseLinksScreen()
{
    if (!IsScreenAvailable(kScreenImageBrowser)) return -1;
    AIString* chosen = g_dialogShell.chosenTitle;
    if (chosen) chosen->Clear();
    int32_t result = Launch(L"Browse links", kScreenImageBrowser);
    if (result == 2 && chosen && !chosen->IsEmpty()) {
        OpenChosenNote(*chosen);
        result = 0;
    }
    if (chosen) chosen->Clear();
    return result;
}
