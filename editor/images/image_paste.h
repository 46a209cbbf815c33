// A picture on the clipboard pasted into the note: saved into the images
// folder and linked at the selection as one undoable step.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Saves the clipboard picture under name (the note's title when null) and,
// with insert, links it at the selection. 1 saved; 0 when there was no
// picture or it could not be saved (the user is told).
int SaveImageIntoNote(const WCHAR* name, int insert);

// "[label]" over the selection as one undoable step (blanks around it where
// the neighbours need them), label -> target in the note's table. 1 written.
int WriteHyperlinkAtSelection(const AIString& label, const AIString& target);

// 1 when the clipboard holds a picture and no text (a paste then saves it).
int ClipboardHoldsOnlyPicture(HWND owner);

// The picture of a captured web page (on the clipboard): named from the
// page's address, never over another page's picture (a name taken by another
// address gets "_2", "_3", ...), recorded with its address, and with insert
// linked at the selection as label (the name when none) -> address.
int SaveWebCaptureImage(const WCHAR* address, const WCHAR* label, int insert);
