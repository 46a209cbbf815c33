// The File panel's choices and texts as plain functions.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum FilePanelResult {
    kFileNew = 1,
    kFileOpen = 2,
    kFileRefresh = 3,
    kFileSnapshot = 4,
    kFilePrint = 5,
    kFilePageSetup = 6,
    kFileExit = 99,
    kFileRecentBase = 100,  // + row 1..8
    kFileNothing = -1,
};

enum { kFilePanelRowHeight = 28, kFilePanelRows = 8, kFilePanelRowsTested = 10 };

// The command buttons (the six file commands, then Exit): the caption with
// "&" before the letter that chooses it (alone or with Alt), and the result.
enum { kFilePanelButtons = 7, kFilePanelExitButton = 6 };
const WCHAR* FilePanelButtonCaption(int button);
int FilePanelButtonResult(int button);

// The result of a released key; 0 when the key chooses nothing (the panel
// stays open). Digits choose a recent file only while a row is hovered.
int FilePanelResultForKey(WPARAM key, int hoveredRow);
// The recent row under a point of the list (1..10), or 0.
int FilePanelRowAt(int y, int listTop);
// A recent file as its row shows it: the name after the last backslash, cut
// to 40 characters with "..." after it; an empty path shows "...".
void FilePanelRowText(const WCHAR* path, AIString& out);
// A hovered path at the pane's foot: longer than 55 characters it is split
// after the last backslash within its first 55 into two lines (CR LF), and
// cut to 110 characters with "...".
void FilePanelPathLines(const WCHAR* path, AIString& out);
