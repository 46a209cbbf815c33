// The shell's settings: the sync and share folders, the tip index, the
// favourites, and the frame placement with the last note's view.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

extern AIString SyncFolderSetting;
extern AIString ShareFolderSetting;
extern int32_t SyncFolderUnset;
extern int32_t ShareFolderUnset;
// The favourites table's joined text (nine slots), read from the settings.
extern AIString FavouritesText;

// The sync and share folders from the note store's settings (after the
// sync settings screen stored them), with their unset flags.
void TakeUpSyncFolderSettings();

// Reads "SyncFolder" and "ShareFolder", adds 1 to the tip index, fills the favourites.
void LoadSettings();

// The placement value (named after the program, 560 bytes): the frame's
// placement, the ribbon mode, the split, and the view of the last note.
#pragma pack(push, 4)
struct FramePlacementRecord {
    WINDOWPLACEMENT placement;     // 44 bytes
    int32_t ribbonMode;
    int32_t splitX;
    int32_t scrollX;
    int32_t scrollY;
    int32_t selectionStart;
    int32_t selectionEnd;
    WCHAR lastTitle[32];
    uint8_t reserved[560 - 44 - 24 - 64];
};
#pragma pack(pop)
static_assert(sizeof(FramePlacementRecord) == 560, "the stored placement value has a fixed size");

// 1 when a stored record of the right size was read.
int ReadFramePlacement(FramePlacementRecord* record);
int WriteFramePlacement(const FramePlacementRecord* record);
// Stores the record as the windows are now (the frame's placement, the
// ribbon mode, the split, the view left last and the title of the note
// shown), so that the note just shown is the one opened at the next start,
// also after a crash or a kill. 1 when stored.
int StoreShownNotePlacement();
// Stores the frame's placement, the ribbon mode and the split as they are
// now, keeping the stored last note and its view (the start stores this
// before a note shows). 1 when stored.
int StoreFramePlacementOnly();
