#include "foundation/settings_record.h"
#include "foundation/ai_string.h"
#include <string.h>

namespace {

// Reads a fixed field that may be full (no terminating zero).
void GetField(const WCHAR* field, int chars, AIString& out)
{
    int n = 0;
    while (n < chars && field[n]) n++;
    out.AssignTextN(field, n);
}

// Copies at most chars-1 characters (so the field stays terminated) and
// zeroes the rest, so no stale bytes of a longer old text remain.
void SetField(WCHAR* field, int chars, const WCHAR* text, int keepTerminator)
{
    int limit = keepTerminator ? chars - 1 : chars;
    int n = 0;
    if (text)
        for (; n < limit && text[n]; n++) field[n] = text[n];
    for (int i = n; i < chars; i++) field[i] = 0;
}

}  // namespace

void SettingsSetDefaults(SettingsRecord& record, int isWine)
{
    memset(&record, 0, sizeof(record));
    record.transparencyOff = isWine ? 1 : 0;
    record.instantPreview = 1;
    record.previewWebPages = 1;
    record.previewPdfText = 1;
    record.messageBoxTransparency = 235;
    record.imageBrowserGridSize = kSettingsMinGridSize;
    record.tipIndex = 0;
    record.previewZoom = 100;
}

void SettingsGetDataFilePath(const SettingsRecord& record, AIString& out)
{
    GetField(record.dataFilePath, kSettingsDataFilePathChars, out);
}

void SettingsSetDataFilePath(SettingsRecord& record, const WCHAR* path)
{
    SetField(record.dataFilePath, kSettingsDataFilePathChars, path, 1);
}

void SettingsGetRecentFile(const SettingsRecord& record, int index, AIString& out)
{
    if (index < 0 || index >= kSettingsRecentFiles) { out.Clear(); return; }
    GetField(record.recentFiles[index], kSettingsRecentFileChars, out);
}

void SettingsSetRecentFile(SettingsRecord& record, int index, const WCHAR* path)
{
    if (index < 0 || index >= kSettingsRecentFiles) return;
    // A slot holds a full 250 characters; the reader stops at the slot's end.
    SetField(record.recentFiles[index], kSettingsRecentFileChars, path, 0);
}

void SettingsGetFavouritesText(const SettingsRecord& record, AIString& out)
{
    GetField(record.favouritesText, kSettingsFavouritesChars, out);
}

void SettingsSetFavouritesText(SettingsRecord& record, const WCHAR* text)
{
    SetField(record.favouritesText, kSettingsFavouritesChars, text, 1);
}

int32_t SettingsGetDontShow(const SettingsRecord& record, int index)
{
    if (index < 0 || index >= kSettingsDontShowFlags) return 0;
    return record.dontShowAgain[index];
}

void SettingsSetDontShow(SettingsRecord& record, int index, int32_t value)
{
    if (index < 0 || index >= kSettingsDontShowFlags) return;
    record.dontShowAgain[index] = value;
}

int32_t SettingsGetGridSize(const SettingsRecord& record)
{
    int32_t n = record.imageBrowserGridSize;
    return (n >= kSettingsMinGridSize && n <= kSettingsMaxGridSize) ? n : kSettingsMinGridSize;
}

void SettingsSetGridSize(SettingsRecord& record, int32_t size)
{
    if (size < kSettingsMinGridSize) size = kSettingsMinGridSize;
    if (size > kSettingsMaxGridSize) size = kSettingsMaxGridSize;
    record.imageBrowserGridSize = size;
}
