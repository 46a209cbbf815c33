// The picture of a captured web page: a link to the page finds the picture
// the capture saved into the data folder's "images" folder.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// 1 with the picture's path when the link ("hyperlink:", "http://",
// "https://" or "www." and the address) names a page whose picture was
// saved by a capture; 0 for any other link.
int FindPageSnapshot(const WCHAR* link, AIString& path);
