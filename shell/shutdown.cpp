#include "shell/shutdown.h"
#include "dialogs/screens/favourites_table.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/note_rescue.h"
#include "shell/shell_settings.h"
#include "shell/shell_ids.h"
#include "shell/drop_target.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "foundation/trace.h"
#include <richedit.h>

static int s_shutdownRan = 0;

int HasShutdownRun() { return s_shutdownRan; }
void ResetShutdownForTests() { s_shutdownRan = 0; }

int ShutdownApplication()
{
    TRACE_SCOPE(kTraceShutdown, 1);
    if (s_shutdownRan) return 0;
    s_shutdownRan = 1;
    HWND frame = g_frame.GetHwndField();

    StopTimersForExit();
    KillAllTimers();
    if (frame) {
        KillTimer(frame, kTimerFramePeriodic);
        KillTimer(frame, kTimerStatusAnimation);
    }

    // The note and the data file first: nothing after this may lose an edit.
    SettingsRecord& record = g_app.settings.Record();
    if (IsDatafileLoaded()) SettingsSetDataFilePath(record, g_noteStore.datafilePath.GetText());
    SaveEditorScroll();
    KeepCurrentNoteForExit();
    // A data file that another program changed is not written over: it is
    // loaded as it now stands with the notes edited here kept, then saved.
    if (SaveDatafileIfOpen() == kSaveChangedOnDisk && ReloadDatafileKeepingEdits(nullptr)) SaveDatafileIfOpen();

    g_favourites.Join(FavouritesText, kSettingsFavouritesChars - 1);
    SettingsSetFavouritesText(record, FavouritesText.GetText());
    g_app.settings.Store();

    StoreShownNotePlacement();

    if (frame) {
        RevokeEditorDropTarget();
        RevokeFrameDropTarget(frame);
        UnregisterProgramHotKeys(frame);
    }
    RemoveTrayIcon();
    g_app.SetRunState(kRunClosing);
    PostQuitMessage(0);
    return 1;
}
