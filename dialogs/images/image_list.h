// The image list of the data file: every image of the data folder's
// "images" folder, from the list cache or a folder scan, sorted by key. The
// scan adds one file at a time, skips names the table cannot keep, pumps
// messages on long folders under a busy guard, and stops when the caller
// says the folder it scans is no longer the one it was asked for.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIStringTable;

struct ImageScanSource
{
    const WCHAR* imagesFolder = nullptr;  // without a trailing backslash
    const WCHAR* cachePath = nullptr;     // the list cache file
    int forceRescan = 0;                  // 1 ignores the cache (Shift held)
    void* context = nullptr;
    // Called between steps of a long scan; 0 stops it (null: never pumps).
    int (*pump)(void* context) = nullptr;
    // Called after each pump: 0 when the list asked for is no longer wanted
    // (another data file was opened meanwhile).
    int (*stillWanted)(void* context) = nullptr;
};

enum ImageListOrigin
{
    kImageListFromCache = 1,
    kImageListScanned = 2,
    kImageListBusy = 0,       // a scan was running already: nothing done
    kImageListAbandoned = -1, // the scan was stopped; the list is empty
};

struct ImageScanReport
{
    ImageListOrigin origin = kImageListBusy;
    int entries = 0;         // directory entries met by the scan
    int images = 0;          // items in the list
    int skippedReserved = 0; // image names the table cannot keep
    int cacheWritten = 0;
};

// Fills the list. The cache is read unless forceRescan; an empty, unreadable
// or damaged cache makes a scan. A scan that met more than
// kImageCacheMinEntries entries writes the cache.
ImageListOrigin BuildImageList(const ImageScanSource& source, ImageScanReport& report);
const int kImageCacheMinEntries = 101;
const int kImageScanPumpEvery = 500;

// The one list (sorted) and its count.
AIStringTable& GetImageListTable();
int GetImageCount();
// Empties the list; a note's pictures are collected into it afterwards.
void ClearImageList();
// 1 while the list holds the whole images folder (BuildImageList), 0 while
// it is empty or a note's pictures.
int ImageListHoldsAllImages();
// Index -100: the value of the current item; 0..count-1: the key of that
// item. Any other index leaves text unchanged and returns 0.
enum { kCurrentImageName = -100 };
int GetImageName(int index, AIString& text);
int GetCurrentImageIndex();
void SetCurrentImageIndex(int index);  // -1 none; out of range is ignored
