// Image list items, the list cache text, and the thumbnail cache rules.
#include "dialogs/images/image_list_rules.h"
#include "foundation/ai_string_list.h"
#include "foundation/ai_string_table.h"
#include <stdint.h>
#include <string.h>

const WCHAR kImageListValuePrefix[] = L"rel:\\images\\";
const WCHAR kImageListCacheName[] = L"tavik_images.cache";

namespace {

// The types the image decoders read, one list for the scan, the note's
// images and the thumbnail maker.
const WCHAR* const kImageExtensions[] = {L".jpg", L".png", L".gif", L".bmp", L".tif", L".tga", L".ico", L".pcx"};
const WCHAR kReservedChars[] = {L',', 0x00A4, L'[', L']', 0x00BD, L':', 0};
const WCHAR kStampStart[] = L"_20";
const WCHAR* const kThumbFolders[] = {L"\\thumb\\", L"\\icon\\", L"\\thumb\\"};
const WCHAR* const kThumbEndings[] = {L".thumb", L".icon", L".size"};

}  // namespace

int IsListedImageName(const WCHAR* fileName)
{
    AIString name(fileName ? fileName : L"");
    if (name.GetLength() < kImageNameMinChars) return 0;
    for (const WCHAR* extension : kImageExtensions)
        if (name.FindText(extension) > 0) return 1;
    return 0;
}

int HasReservedImageChars(const WCHAR* fileName)
{
    for (const WCHAR* at = fileName; at && *at; at++)
        for (const WCHAR* r = kReservedChars; *r; r++)
            if (*at == *r) return 1;
    return 0;
}

void MakeImageListKey(const WCHAR* fileName, AIString& key)
{
    key.AssignText(fileName ? fileName : L"");
    int stamp = key.FindTextCase(kStampStart);
    if (stamp >= 0) key.KeepRange(0, stamp);
}

ImageItemResult AddImageListItem(AIStringTable& list, const WCHAR* fileName)
{
    if (!IsListedImageName(fileName)) return kImageItemNotImage;
    if (HasReservedImageChars(fileName)) return kImageItemReserved;
    AIString key, value(kImageListValuePrefix);
    MakeImageListKey(fileName, key);
    value.AppendText(fileName);
    list.AddItemString(key.GetText(), value.GetText(), 0);
    return kImageItemAdded;
}

namespace {

// 1 when item is exactly the item the scan makes for its file name.
int IsWellFormedItem(const AIString& item, AIString& name)
{
    int colon = item.FindChar(L':');
    if (colon < 0) return 0;
    name.AssignText(item.GetText() + colon + 1);
    if (!name.StartsWith(kImageListValuePrefix)) return 0;
    name.DeleteRange(0, TextLength(kImageListValuePrefix));
    if (name.FindChar(L'\\') >= 0 || HasReservedImageChars(name.GetText()) || !IsListedImageName(name.GetText()))
        return 0;
    AIString key;
    MakeImageListKey(name.GetText(), key);
    return colon == key.GetLength() && memcmp(item.GetText(), key.GetText(), (size_t)colon * sizeof(WCHAR)) == 0;
}

}  // namespace

int ParseImageListCache(const WCHAR* text, AIStringTable& list)
{
    list.Clear();
    if (!text || !*text) return 0;
    AIStringList items;
    if (!items.AssignJoined(text)) return 0;
    AIString item, name;
    for (int i = 0; i < items.GetCount(); i++) {
        items.GetItemTextMode(i, item, 1);
        if (!IsWellFormedItem(item, name) || AddImageListItem(list, name.GetText()) != kImageItemAdded) {
            list.Clear();
            return 0;
        }
    }
    if (!list.GetCount()) return 0;
    list.SortIndex();
    return 1;
}

void ImageFileNameOf(const WCHAR* item, AIString& fileName)
{
    fileName.AssignText(item ? item : L"");
    fileName.SplitAtChar(L'\\', 1, 1);
}

void MakeThumbCacheName(const WCHAR* imagePath, AIString& name)
{
    ImageFileNameOf(imagePath, name);
    // FNV-1a over the folder part, letters folded.
    uint32_t hash = 2166136261u;
    int folderLength = TextLength(imagePath) - name.GetLength();
    for (int i = 0; i < folderLength; i++) {
        WCHAR c = FoldChar(imagePath[i]);
        if (c == L'/') c = L'\\';
        hash = (hash ^ c) * 16777619u;
    }
    static const char kHex[] = "0123456789abcdef";
    name.AppendChar(L'~');
    for (int shift = 28; shift >= 0; shift -= 4) name.AppendChar((WCHAR)kHex[(hash >> shift) & 15]);
}

void MakeThumbPath(const WCHAR* tempFolder, const WCHAR* fileName, ThumbKind kind, AIString& path)
{
    path.AssignText(tempFolder ? tempFolder : L"");
    if (path.GetLength() && path.CharAt(path.GetLength() - 1) == L'\\') path.SetLength(path.GetLength() - 1);
    path.AppendText(kThumbFolders[kind]);
    path.AppendText(fileName ? fileName : L"");
    path.AppendText(kThumbEndings[kind]);
}

int IsThumbStale(const FILETIME* image, const FILETIME* thumb)
{
    if (!thumb) return 1;
    if (!image) return 0;
    uint64_t imageTime = ((uint64_t)image->dwHighDateTime << 32) | image->dwLowDateTime;
    uint64_t thumbTime = ((uint64_t)thumb->dwHighDateTime << 32) | thumb->dwLowDateTime;
    return imageTime > thumbTime;
}

int CalcImagePageCount(int itemCount, int gridSize)
{
    int perPage = gridSize * gridSize;
    if (itemCount <= 0 || perPage <= 0) return 1;
    return (itemCount + perPage - 1) / perPage;
}

namespace {

// 1 when the item ends in an image type the decoders read.
int EndsWithImageType(const AIString& item)
{
    for (const WCHAR* extension : kImageExtensions)
        if (item.EndsWithNoCase(extension)) return 1;
    return 0;
}

}  // namespace

int CollectNoteImageItems(const AIStringTable& links, int (*isWebImage)(const WCHAR* item), AIStringTable& list)
{
    list.Clear();
    AIString item, label, target;
    for (int i = 0; i < links.GetCount(); i++) {
        links.GetItemAtSorted(i, item);
        links.GetKeyAt(i, label);
        links.GetValueAt(i, target);
        if (item.FindText(L":http") >= 0 && isWebImage && isWebImage(item.GetText())) {
            list.SetKeyValueString(label.GetText(), target.GetText());
            continue;
        }
        if (!EndsWithImageType(item)) continue;
        if (!target.StartsWithNoCase(L"file:") && !target.StartsWithNoCase(L"rel:")) continue;
        if (list.IndexOfKeyStringExact(label.GetText()) >= 0) continue;
        list.AddItemString(label.GetText(), target.GetText());
    }
    return list.GetCount();
}

void FormatImageSizeRecord(int width, int height, AIString& text)
{
    text.Clear();
    text.AppendInt(width).AppendChar(L' ').AppendInt(height);
}

int ParseImageSizeRecord(const WCHAR* text, int& width, int& height)
{
    int values[2] = {0, 0};
    const WCHAR* at = text ? text : L"";
    for (int i = 0; i < 2; i++) {
        if (i == 1 && *at++ != L' ') return 0;
        if (*at < L'0' || *at > L'9') return 0;
        int64_t value = 0;
        while (*at >= L'0' && *at <= L'9' && value <= INT32_MAX) value = value * 10 + (*at++ - L'0');
        if (value <= 0 || value > INT32_MAX) return 0;
        values[i] = (int)value;
    }
    if (*at) return 0;
    width = values[0];
    height = values[1];
    return 1;
}

int IsLargeImageFile(int64_t fileBytes)
{
    return fileBytes >= kLargeImageFileBytes;
}

int IsTooLargeToHold(int width, int height)
{
    return width > 0 && height > 0 && (int64_t)width * height > kMaxHeldImagePixels;
}

LargeImageSource ChooseLargeImageSource(int64_t fileSize, int onNetwork, int width, int height, int currentPng)
{
    if (IsTooLargeToHold(width, height)) return kLargeFromThumbnail;
    if (onNetwork) return kLargeFromThumbnail;
    if (!IsLargeImageFile(fileSize) || currentPng) return kLargeFromFile;
    int tall = width > 0 && (int64_t)height * 100 / width > 200;
    return tall ? kLargeFromFile : kLargeFromThumbnail;
}
