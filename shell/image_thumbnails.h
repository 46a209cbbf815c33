// The thumbnail and icon of an image file the user links or pastes, made in
// the program's temporary folder so that the image list and previews find them.
#pragma once
#include "foundation/win.h"

// flag: kThumbnailQuiet never reports a failure (the image may be anything).
enum ThumbnailReport { kThumbnailQuiet = 0, kThumbnailTraced = 1 };
// 1 when both files are there afterwards; 0 when the link is not an image
// or it could not be read.
int CreateThumbnail(const WCHAR* imagePath, int flag);

// A picture was saved into the images folder: the image list's cache file
// goes (the next full list scans the folder) and its thumbnail is made.
void OnImageSaved(const WCHAR* imagePath);

// A link was made to target: when it names a picture, its thumbnail is made.
void OnFileLinked(const WCHAR* target);
