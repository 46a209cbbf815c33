// The note editor's font, font size and zoom set by name ("ChangeRTFfont",
// "ChangeRTFfontSize", "ChangeRTFfontZoom" sent to the content window).
#pragma once
#include "foundation/win.h"

// argument: the face name (a const WCHAR*, sent, never posted); the whole
// note takes it, headings and marks keep their sizes. Null or "" changes nothing.
void ChangeRtfFont(LPARAM argument);
// argument: the body text's size in points, kept below the smallest heading
// size; the note is stored and shown again so that its body text takes it.
void ChangeRtfFontSize(LPARAM argument);
// argument: the zoom in percent, kept within the editor's zoom range (0:
// 100 %), shown on the status line and the ribbon.
void ChangeRtfFontZoom(LPARAM argument);
