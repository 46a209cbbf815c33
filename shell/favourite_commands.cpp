// The favourite notes: Ctrl+1 to Ctrl+9 open a favourite, Ctrl+0 the
// favourites screen, whose choice opens a favourite or stores the current
// note in an empty slot.
#include "shell/later_entry_points.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/shell_messages.h"
#include "dialogs/screen_launchers.h"
#include "dialogs/screens/favourites_table.h"
#include "notestore/note_store.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

namespace {

int OpenFavouriteSlot(int slot)
{
    const WCHAR* title = g_favourites.Get(slot);
    if (!title[0]) {
        SetStatusText(L"Favorite not defined. Press Ctrl+0 to edit favorites", kStatusInfo);
        return 0;
    }
    int32_t index = FindNoteByTitle(title, 0, 0);
    if (index < 0) {
        SetStatusText(L"The favorite note no longer exists. Press Ctrl+0 to edit favorites", kStatusWarning);
        return 0;
    }
    if (index == g_mainPanel.currentNote) return 1;
    return ReadAndShowNote(index, kShowAndRecord);
}

}  // namespace

int OpenFavorite(int slot)
{
    TRACE_SCOPE(kTraceLaterEntryPoints, 26);
    if (slot >= 1 && slot <= kFavouriteSlots) return OpenFavouriteSlot(slot);
    if (slot != kFavouritesScreen) return 0;
    int32_t result = ShowFavoritesScreen();
    if (result < 2 || result > kFavouriteSlots + 1) return 0;
    int chosen = result - 1;
    if (g_favourites.Get(chosen)[0]) return OpenFavouriteSlot(chosen);
    // An empty slot takes the current note; with none, nothing empty is stored.
    if (g_mainPanel.currentNote < 0 || g_mainPanel.lastShownTitle.IsEmpty()) return 0;
    g_favourites.Set(chosen, g_mainPanel.lastShownTitle.GetText());
    StoreFavourites();
    SetStatusText(L"Favorite stored", kStatusDone);
    return 1;
}
