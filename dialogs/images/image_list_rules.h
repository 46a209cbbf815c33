// The image list's pure rules: which files are images, the item each file
// becomes, the list cache file's text, the thumbnail and icon cache paths,
// when a cached thumbnail is stale, and the paging of the list.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIStringTable;

// The value part every listed image's item carries before its file name.
extern const WCHAR kImageListValuePrefix[];  // "rel:\images\"
// The list cache's file name in the notes folder.
extern const WCHAR kImageListCacheName[];    // "tavik_images.cache"

// 1 when the file name is of a type the image decoders read (the test looks
// for the extension anywhere after the first character) and is longer than
// kImageNameMinChars.
int IsListedImageName(const WCHAR* fileName);
const int kImageNameMinChars = 4;

// 1 when the name holds a character the list's table cannot keep (",", "¤",
// "[", "]", "½", ":").
int HasReservedImageChars(const WCHAR* fileName);

// The key of a file: its name up to "_20" (the stamp), or the whole name.
void MakeImageListKey(const WCHAR* fileName, AIString& key);

enum ImageItemResult
{
    kImageItemAdded = 1,
    kImageItemNotImage = 0,
    kImageItemReserved = -1,  // skipped: the name would break the table
};
// Adds key ":rel:\images\" name to the list (unsorted; sort once after).
ImageItemResult AddImageListItem(AIStringTable& list, const WCHAR* fileName);

// Reads the list cache's text (without its byte-order mark). 1 when every
// item is a well-formed image item and there is at least one; 0 (list left
// empty) when the cache is empty or damaged, so that the folder is scanned.
int ParseImageListCache(const WCHAR* text, AIStringTable& list);

// The file name of an item (the part after its last "\"), or of a path.
void ImageFileNameOf(const WCHAR* item, AIString& fileName);

enum ThumbKind
{
    kThumbScreen = 0,  // "<temp>\thumb\<name>.thumb": the screen-size copy
    kThumbIcon = 1,    // "<temp>\icon\<name>.icon": the 300 x 300 icon
    kThumbSize = 2,    // "<temp>\thumb\<name>.size": the picture's own size, "width height"
};
void MakeThumbPath(const WCHAR* tempFolder, const WCHAR* fileName, ThumbKind kind, AIString& path);
// The name an image's cache files are made under: its file name and a tag
// of its folder ("a.png~1f2e3d4c"), so that pictures of the same name in
// different folders never share a thumbnail. Letter case does not count.
void MakeThumbCacheName(const WCHAR* imagePath, AIString& name);
const int kIconSide = 300;

// The size record's text, and the size read back from it (1 when it holds
// two positive numbers and nothing else).
void FormatImageSizeRecord(int width, int height, AIString& text);
int ParseImageSizeRecord(const WCHAR* text, int& width, int& height);

// 1 when the cached file must be made (again): missing, or older than the image.
int IsThumbStale(const FILETIME* image, const FILETIME* thumb);

// Pages of n x n cells: at least 1.
int CalcImagePageCount(int itemCount, int gridSize);

// The pictures a note links, from its link table (items label ":" target) into
// list: web pictures that isWebImage accepts (one per label, the later one
// wins) and files ("file:" or "rel:") of an image type (the first per label).
// Returns the number of items in list.
int CollectNoteImageItems(const AIStringTable& links, int (*isWebImage)(const WCHAR* item), AIStringTable& list);

// Where the large view of a picture comes from.
enum LargeImageSource
{
    kLargeFromFile = 1,       // the picture itself
    kLargeFromThumbnail = 2,  // its screen-size ".thumb" copy
};
// Small files, tall pictures (height more than twice the width, which scroll
// at full width) and the current PNG picture are shown from the file; large
// files and files on network paths from the screen-size copy. width and
// height are the picture's own size (0 when not known yet).
// A picture of more than kMaxHeldImagePixels pixels is never held whole: it is shown
// from its screen-size copy, whatever its file's size.
LargeImageSource ChooseLargeImageSource(int64_t fileSize, int onNetwork, int width, int height, int currentPng);
// The most pixels of a picture held whole to be shown (64 MB at four bytes a pixel).
const int64_t kMaxHeldImagePixels = 4096LL * 4096;
// 1 when a picture of this size is too large to be held whole (0 when the
// size is not known).
int IsTooLargeToHold(int width, int height);
const int64_t kLargeImageFileBytes = 500000;
// 1 when a file is large enough to be shown from its screen-size copy (the
// one comparison with kLargeImageFileBytes).
int IsLargeImageFile(int64_t fileBytes);
