// Points the program's temporary folder (where the "txt" caches live) at a
// folder of this test process's own, so that parallel tests never meet.
#pragma once
#include "foundation/ai_string.h"

// Makes and sets "<temp>\<prefix><process id>"; returns its path.
AIString UseOwnTempFolder(const WCHAR* prefix);
// Deletes files left in its "txt" folder by an earlier run of the same id.
void DeleteStaleCacheFile(const AIString& cachePath);
