// Folders and paths of the image list and image preview tests.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include <string>

// Deletes a folder with everything in it.
void DeleteTree(const AIString& folder);
// A new, empty folder of this test process's own under the temporary folder
// (process ids repeat between runs: whatever an earlier run left goes).
AIString OwnFolder(const WCHAR* name);
// folder + "\" + name.
AIString Join(const AIString& folder, const WCHAR* name);

// A grey PNG of zeros whose data is deflated by hand (a fixed-code block of
// 258-byte repeats): about 160 times smaller than its pixels, a picture of
// tens of millions of pixels in a file of a few hundred kilobytes.
std::string ZeroPngBytes(uint32_t width, uint32_t height);
