// The screens as the ribbon, the status line, the editor and the frame open
// them. Each sets its status-line text, runs the screen and returns its
// result; a screen that the dialog host does not offer yet gives -1 at once.
#pragma once
#include "foundation/win.h"

// Set by the dialog host: 1 when it can show the screen.
typedef int (*ScreenAvailability)(int32_t screenId);
extern ScreenAvailability g_screenAvailable;
int IsScreenAvailable(int32_t screenId);

int32_t ShowWelcomeScreen();
int32_t ShowAboutScreen();
int32_t ShowGettingStartedScreen();
int32_t ShowShortcutsScreen();
// Without a bitmap on the clipboard: message 15 and result 0.
int32_t ShowPasteImageScreen();
// What the paste-and-edit image screen works on; the texts must live while
// the screen runs.
struct PasteImageRequest {
    int editImage = 0;                    // 1: "Edit Image": the picture of imagePath, saved back over it
    const WCHAR* imagePath = nullptr;
    const WCHAR* webLink = nullptr;       // "Paste Web Link": the page the clipboard snapshot shows
    const WCHAR* suggestedName = nullptr; // the name field's first text (letters and blanks kept)
};
// The paste screen for a request: a clipboard picture (message 15 and 0
// without one), or with editImage the file's own picture.
int32_t ShowPasteImageScreenFor(const PasteImageRequest& request);
// The request of the paste screen running now (a plain paste outside a run).
const PasteImageRequest& CurrentPasteImageRequest();
int32_t ShowTipOfDayScreen();
// The first-start wizard: 0 the guide, 2 to 5 a size of example file, -1 closed.
int32_t ShowFirstStartScreen();
int32_t ShowFavoritesScreen();
// Result 2 opens the note the image browser chose and gives 0.
int32_t BrowseLinksScreen();
int32_t ShowSyncSettingsScreen();

// The File panel and what its choice does (-1 while the panel does not exist).
int32_t HandleFileCommand();
// Carries out a File panel choice: 1 new data file, 2 open, 3 refresh, 4 save
// a copy, 5 print, 6 print after page set-up, 99 exit, 101..108 recent data
// file 1..8. Returns the result (0 when the recent file is the open one).
int32_t CarryOutFileCommand(int32_t result);
