// Ids of the resources that the program carries; shared by tavik.rc and the code.
#pragma once

#define IDI_TAVIK 1               // program icon (first icon: Explorer shows it)
#define IDC_LINK_HAND 301         // pointer over a link
#define IDC_SPLITTER 302          // pointer over the splitter between list and editor

#define IDD_ERROR_DETAILS 217     // the one dialog template (error details, message box, note dialogs)

// Bitmaps of the message box (magenta FF00FF is their transparent colour).
#define IDB_KIND_HELP 247         // picture of a help page
#define IDB_KIND_WARNING 246
#define IDB_KIND_ERROR 348
#define IDB_KIND_INFO 647
#define IDB_CHECK_TICK 458        // the tick of a ticked check box

#define IDR_HELP_PAGE 669         // RT_HTML: the help page written into the data folder
#define IDR_LOGO 670              // PNG: the logo beside it, shown by the help page

// TEXT resources: the default data files written when they are missing.
#define IDR_DATAFILE_WELCOME 659
#define IDR_DATAFILE_EXAMPLES 683
#define IDR_DATAFILE_EMPTY 767
// The first-start wizard's data files of 1, 10, 30 and 80 example notes.
#define IDR_DATAFILE_START_1 780
#define IDR_DATAFILE_START_10 781
#define IDR_DATAFILE_START_30 782
#define IDR_DATAFILE_START_80 783

// Pictures of the getting started guide: screenshots of the program made by
// scripts/guide_pictures.sh, drawings made by resources/make_guide_drawings.sh.
// JPG pictures:
#define IDR_GUIDE_CARDS 707       // a box of index cards
#define IDR_GUIDE_REMEMBER 708    // sticky notes of things to remember
#define IDR_GUIDE_FOUND 709       // a note found under a magnifier
#define IDR_GUIDE_BRAIN 711       // the brain and the computer
#define IDR_GUIDE_OVERVIEW 712    // one data file whose notes link by their titles
#define IDR_GUIDE_DATAFILES 713   // the four example data files
#define IDR_GUIDE_KEYS 714        // F12, Escape and Enter
#define IDR_GUIDE_THANKS 715      // the program's icon
#define IDR_GUIDE_WINDOW 768      // the whole window: its four areas
// PNG pictures, one for each page from "Finding information" to "Help II":
#define IDR_GUIDE_FINDING 671     // the three ways to find
#define IDR_GUIDE_QUICKSEARCH 672 // a title completed in QuickSearch
#define IDR_GUIDE_FIND_TEXT 673   // matches of the incremental search
#define IDR_GUIDE_UNKNOWN 674     // QuickSearch holding a word that is no title
#define IDR_GUIDE_RESULTS 675     // the full-text result panel
#define IDR_GUIDE_CONTACT 676     // a contact note
#define IDR_GUIDE_AUTOLINK 677    // a note in which other notes' titles became links
#define IDR_GUIDE_AUTOLINKS 678   // the AutoLinks list after Ctrl+Space
#define IDR_GUIDE_PREVIEW_CONTACT 679 // the contact note previewed under the mouse
#define IDR_GUIDE_PREVIEW 680     // a linked note previewed under the mouse
#define IDR_GUIDE_HYPERLINK 681   // a hyperlink label in a note
#define IDR_GUIDE_HELP 682        // F1 for help
#define IDR_GUIDE_HELP_TAB 683    // the Help tab's Learning group
#define IDR_SCREEN_BACKDROP 764   // backdrop of the tip of the day and first-start screens (JPG)
#define IDR_TIP_PICTURE 772       // the tip of the day's light bulb (PNG)

// Fonts carried as resources (type RT_FONT), loaded with AddFontMemResourceEx.
#define IDR_FONT_SANS 558
#define IDR_FONT_SANS_BOLD 559
#define IDR_FONT_SANS_ITALIC 560
#define IDR_FONT_MONO 561
#define IDR_FONT_SERIF 562
#define IDR_FONT_DISPLAY 563      // the display font of screen titles ("kimberley")
// The family name the display font registers under: ask for this face after loading 563.
#define DISPLAY_FONT_FACE L"Comfortaa"

// Command ids of the accelerator table (handled by the frame's command table).
#define IDM_SAVE_NOTE 40099
#define IDM_TOGGLE_RIBBON 40103
#define IDM_NEW_NOTE 40110
#define IDM_RENAME_NOTE 40111
#define IDM_REFRESH_NOTES 40112
#define IDM_NAVIGATE_BACK 40113
#define IDM_NAVIGATE_FORWARD 40114
#define IDM_QUICK_SEARCH 40115
#define IDM_INC_SEARCH 40116
#define IDM_TOGGLE_HEADING 40117
#define IDM_DELETE_NOTE 40118
#define IDM_FAVOURITES 40119
#define IDM_NEW_DATAFILE 40120
#define IDM_OPEN_DATAFILE 40121
#define IDM_SAVE_COPY 40122
#define IDM_PRINT_NOTE 40123
#define IDM_PAGE_SETUP_PRINT 40124
#define IDM_FILE_PANEL 40125
#define IDM_SYNC_SETTINGS 40126
#define IDM_EXIT 40130
#define IDM_HELP 40140
#define IDM_ABOUT 40141
#define IDM_SHORTCUTS 40142
// The image browser.
#define IDM_BROWSE_IMAGES 40171
// Capture: the browser page and the screenshot.
#define IDM_CAPTURE_WEB 40172
#define IDM_CAPTURE_SCREENSHOT 40173
// The ribbon's editing controls.
#define IDM_EDIT_BOLD 40160
#define IDM_EDIT_ITALIC 40161
#define IDM_EDIT_STRIKE 40162
#define IDM_EDIT_HYPERLINK 40163
#define IDM_EDIT_CUT 40164
#define IDM_EDIT_COPY 40165
#define IDM_EDIT_PASTE 40166
#define IDM_EDIT_UNDO 40167
#define IDM_EDIT_REDO 40168
#define IDM_EDIT_ZOOM 40169
// The Help tab's "Learning Tavik" group.
#define IDM_GETTING_STARTED 40143
#define IDM_INTRO 40144
#define IDM_TIP_OF_DAY 40145
// Ctrl+1 to Ctrl+9: favourite 1 to 9.
#define IDM_FAVOURITE_FIRST 40151
#define IDM_FAVOURITE_LAST 40159

// Button pictures (PNG), made by make_icons_from_theme.sh.
#include "resources/icon_ids.h"
