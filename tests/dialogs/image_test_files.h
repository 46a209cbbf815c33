// Folders and paths of the image list and image preview tests.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Deletes a folder with everything in it.
void DeleteTree(const AIString& folder);
// A new, empty folder of this test process's own under the temporary folder
// (process ids repeat between runs: whatever an earlier run left goes).
AIString OwnFolder(const WCHAR* name);
// folder + "\" + name.
AIString Join(const AIString& folder, const WCHAR* name);
