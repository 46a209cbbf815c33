// SettingsRecord: the settings as one fixed record of 11096 bytes, kept in
// memory for the whole run and stored enciphered in the registry (see
// AISettingsStore). Fields lie at fixed byte offsets so that a stored record
// reads back the same in every version; free space is kept in reserved
// blocks that later fields can take without moving the others.
// Text fields are copied in and out only through the bounded accessors.
#pragma once
#include "foundation/win.h"
#include <stddef.h>

class AIString;

enum {
    kSettingsRecordSize = 11096,
    kSettingsDataFilePathChars = 260,
    kSettingsDontShowFlags = 56,
    kSettingsRecentFiles = 8,
    kSettingsRecentFileChars = 250,   // a full slot has no terminating zero
    kSettingsFavouritesChars = 1000,
    kSettingsMinGridSize = 3,
    kSettingsMaxGridSize = 6,
};

#pragma pack(push, 4)
struct SettingsRecord {
    uint8_t reserved0[3476];
    WCHAR dataFilePath[kSettingsDataFilePathChars];         // 3476: the open data file
    uint8_t reserved1[4776 - 3476 - 2 * kSettingsDataFilePathChars];
    int32_t transparencyOff;                                // 4776: non-zero = no transparency in dialogs
    int32_t instantPreview;                                 // 4780: preview while typing
    int32_t previewWebPages;                                // 4784: preview web pages on hover
    int32_t previewPdfText;                                 // 4788: PDF text preview
    int32_t messageBoxTransparency;                         // 4792: 0..255
    int32_t dontShowAgain[kSettingsDontShowFlags];          // 4796: one flag per message
    int32_t imageBrowserGridSize;                           // 5020: 3..6
    int32_t editorBackground;                               // 5024
    int32_t tipIndex;                                       // 5028: signed, default 0
    int32_t autoCopyPreview;                                // 5032: copy a preview selection
    int32_t previewZoom;                                    // 5036: base zoom of the previews, percent
    int32_t hotKeysOff;                                     // 5040: non-zero = no hot keys at all
    uint8_t reserved2[5092 - 5044];
    WCHAR recentFiles[kSettingsRecentFiles][kSettingsRecentFileChars];  // 5092: 500-byte slots, newest first
    WCHAR favouritesText[kSettingsFavouritesChars];         // 9092: joined text of the favourites table
    uint8_t reserved3[kSettingsRecordSize - 9092 - 2 * kSettingsFavouritesChars];
};
#pragma pack(pop)

static_assert(sizeof(SettingsRecord) == kSettingsRecordSize, "the stored record has a fixed size");
static_assert(offsetof(SettingsRecord, dataFilePath) == 3476, "stored offset");
static_assert(offsetof(SettingsRecord, transparencyOff) == 4776, "stored offset");
static_assert(offsetof(SettingsRecord, messageBoxTransparency) == 4792, "stored offset");
static_assert(offsetof(SettingsRecord, dontShowAgain) == 4796, "stored offset");
static_assert(offsetof(SettingsRecord, recentFiles) == 5092, "stored offset");

// Fills the record with the defaults (everything else zero). isWine forces
// transparency in dialogs off.
void SettingsSetDefaults(SettingsRecord& record, int isWine);

// Bounded text access. The getters stop at the field's end even when the
// stored field holds no terminating zero; the setters truncate and zero the
// rest of the field. Out-of-range indexes read as empty and write nothing.
void SettingsGetDataFilePath(const SettingsRecord& record, AIString& out);
void SettingsSetDataFilePath(SettingsRecord& record, const WCHAR* path);
void SettingsGetRecentFile(const SettingsRecord& record, int index, AIString& out);
void SettingsSetRecentFile(SettingsRecord& record, int index, const WCHAR* path);  // null or "" empties the slot
void SettingsGetFavouritesText(const SettingsRecord& record, AIString& out);
void SettingsSetFavouritesText(SettingsRecord& record, const WCHAR* text);

// Flag k of the 56 don't-show-again flags (0 for an index out of range).
int32_t SettingsGetDontShow(const SettingsRecord& record, int index);
void SettingsSetDontShow(SettingsRecord& record, int index, int32_t value);

// The image browser's grid size, always 3..6 (a stored value out of range reads as 3).
int32_t SettingsGetGridSize(const SettingsRecord& record);
void SettingsSetGridSize(SettingsRecord& record, int32_t size);
