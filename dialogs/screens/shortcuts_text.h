// The key map the Shortcuts screen shows: six tabs of two mark-up columns.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum { kShortcutTabs = 6 };

// The tab's caption (tab 1 to 6).
const WCHAR* ShortcutTabName(int tab);
// The key column and the description column of a tab, in mark-up.
void ShortcutColumns(int tab, AIString& keys, AIString& descriptions);
