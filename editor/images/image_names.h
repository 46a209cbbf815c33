// Names of the files that images and captures become: the file- and
// note-safe name made from an address, the minute stamp of pasted images, the
// length rule of the images folder, the web-capture names that never
// overwrite another page's image, and the way back from an image file to the
// title of the note it was made for.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Which characters an address loses on its way to a name.
enum UrlNameMode
{
    kUrlNameForFile = 0,   // also drops "/", ".", ":", "-", "(", ")", "," and friends
    kUrlNameForTitle = 1,  // keeps the punctuation a note title may hold
};

// The name made from source (a leading "https" or "http" dropped, the mode's
// characters removed, blanks trimmed, at most kUrlNameMaxChars). A name that
// Windows opens as a device (con, nul, aux, prn, com1-9, lpt1-9) gets a "_"
// behind it so that it stays a file. Returns 1.
int MakeNameFromUrl(const WCHAR* source, AIString& name, UrlNameMode mode);
const int kUrlNameMaxChars = 50;

// "2011_05231020" for 10:20 on 23 May 2011.
void MakeImageStamp(const SYSTEMTIME& time, AIString& stamp);
// The characters "_" + stamp + ".png" add to a stamped image's name.
const int kImageStampSuffixChars = 18;

// The image path without its extension: folder + "\" + name (+ "_" + stamp
// when one is given), the name shortened so that the path stays within
// kImagePathMaxChars, or "img" when the room left for it is no longer than
// the stamp.
void MakeImageFileBase(const WCHAR* imagesFolder, const WCHAR* name, const WCHAR* stamp, AIString& base);
const int kImagePathMaxChars = 240;

// 1 when a name is one Windows opens as a device whatever its extension.
int IsDeviceName(const WCHAR* name);

// The web-capture image name for an address: the name itself when no image of
// that name exists or the one there was captured from the same address, else
// the name with "_2", "_3", ... Returns 0 when every suffix is taken.
struct WebImageNames
{
    void* context = nullptr;
    // 1 when an image of that name (any extension) exists; address receives
    // the page it was captured from, empty when unknown.
    int (*existing)(void* context, const WCHAR* name, AIString& address) = nullptr;
};
int PickWebImageName(const WCHAR* baseName, const WCHAR* address, const WebImageNames& names, AIString& picked);
const int kWebImageMaxSuffix = 999;

// The note title an image file was named after: the part after the last ":"
// and "\" less its stamp and extension. Empty when the name does not end in a
// stamp ("_2011_05231020.png" or ".jpg") or holds nothing before it.
void NoteTitleOfImageFile(const WCHAR* path, AIString& title);
// 1 when a file name ends in "_" YYYY "_" MMDDhhmm ".png" or ".jpg" (the
// extension in any letter case).
int HasImageStampSuffix(const WCHAR* fileName);

// The name a note's pasted pictures get from its title: the title less the
// characters a file name or the link table cannot hold.
void MakeImageNameFromTitle(const WCHAR* title, AIString& name);
