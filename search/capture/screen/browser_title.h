// What the capture reads of a browser window: whether its program is a
// browser, the page's title from the window title, and whether the text the
// address bar gave is a page address.
#pragma once
#include "foundation/ai_string.h"

enum { kCaptureTitleMaxChars = 29, kBrowserTitleMaxChars = 100 };

// 1 when the program's module name holds "opera", "firefox", "chrome" or
// "iexplore" (any case).
int IsBrowserModuleName(const WCHAR* moduleName);

// The capture title: the window title without the browser's name, dashes,
// "%20" and characters that cannot stand in a note name; at most 29 characters.
void CaptureTitleFromWindowTitle(const WCHAR* windowTitle, AIString& title);

// 1 when text begins with "http" (or "www.", which one browser gives).
int IsPageAddress(const WCHAR* text);
