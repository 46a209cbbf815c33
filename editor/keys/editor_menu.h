// The editor's right-click menu as data: its items, in order, with their
// greyed states, made from what is under the pointer. The window code turns
// the items into a pop-up menu and carries out the chosen command.
#pragma once
#include "foundation/win.h"
#include "editor/keys/editor_links.h"

enum EditorMenuCommand : UINT {
    kMenuSeparator = 0,
    kMenuCut = 40,
    kMenuCopy = 50,
    kMenuCopyPlain = 60,
    kMenuCopyUrl = 65,
    kMenuOpenInNotepad = 66,
    kMenuOpenPreviewInNotepad = 67,
    kMenuOpenImage = 68,
    kMenuEditImage = 69,
    kMenuPaste = 70,
    kMenuHyperlink = 90,
    kMenuPrint = 110,
    kMenuBold = 120,
    kMenuItalic = 130,
    kMenuStrike = 140,
    kMenuNormal = 145,
    kMenuHeadingSmall = 150,
    kMenuHeadingAverage = 160,
    kMenuHeadingLarge = 170,
};

struct EditorMenuItem {
    UINT id;           // kMenuSeparator for a separator
    const WCHAR* text;
    int grayed;
};

// What the menu is made from.
struct EditorMenuState {
    int linkMenu = 0;               // a hyperlink is under the pointer
    int hasSelection = 0;
    int readOnly = 0;               // the data file cannot be changed
    const WCHAR* description = L"";  // the hyperlink's description ("Hyperlink: x", "Open file: x")
    int targetIsPicture = 0;        // a web hyperlink's target is a picture
    int previewedTextFile = 0;      // a text file is shown in the preview
    uint8_t enabled[kRibbonControlCount] = {};  // the ribbon's editing controls
};

enum { kEditorMenuMaxItems = 32 };

// Fills items (at most capacity) and returns their count.
int BuildEditorMenu(const EditorMenuState& state, EditorMenuItem* items, int capacity);

// The file a description names ("Open file: C:\x.txt" -> "C:\x.txt"); empty
// when the description names no file.
void FileOfDescription(const WCHAR* description, AIString& path);
