// The key map of the Shortcuts screen, tab by tab.
#include "dialogs/screens/shortcuts_text.h"

namespace {

struct ShortcutRow {
    const WCHAR* keys;
    const WCHAR* description;
};

struct ShortcutTab {
    const WCHAR* name;
    const WCHAR* keyHeading;
    const WCHAR* descriptionHeading;
    const ShortcutRow* rows;
    int count;
};

const ShortcutRow kNavigate[] = {
    {L"<sbr><b>Ctrl + 1-9 (0)</b>", L"<sbr>Open favorite Note 1-9 (0 is edit)"},
    {L"<br><b>Alt + Left/Right</b>", L"<br>Previous / Next note"},
    {L"<br><b>Alt + Up/Down</b>", L"<br>Previous / Next <b>link</b> in note"},
    {L"<br><br><b>Ctrl + Left/Right</b>", L"<br><br>Previous / Next word"},
    {L"<br><b>Ctrl + Up/Down</b>", L"<br>Previous / Next paragraph"},
    {L"<br><b>Ctrl + G</b>", L"<br>Go to next heading"},
    {L"<br><b>Ctrl + J</b>", L"<br>Jump to identical line"},
    {L"<br><br><b>Home / End</b>", L"<br><br>Jump to start/end of <b>line</b>"},
    {L"<br><b>Ctrl + Home / End</b>", L"<br>Jump to start/end of <b>note</b>"},
    {L"<br><br><b>Caps Lock / Ctrl + F</b>", L"<br><br>Incremental search (<b>f</b>ind)"},
    {L"<br><b>Ctrl + Caps Lock</b>", L"<br>Toggle case ('ordinary caps lock')"},
    {L"<br><br><b>Ctrl + Shift + F</b>", L"<br><br>Full-text search"},
};

const ShortcutRow kEdit[] = {
    {L"<sbr><b>Ctrl + X</b>", L"<sbr>Cut selected text"},
    {L"<br><b>Ctrl + C</b>", L"<br>Copy selected text (formatted)"},
    {L"<br><b>Ctrl + Shift + C</b>", L"<br>Copy selected text (text only)"},
    {L"<br><b>Ctrl + V</b>", L"<br>Paste text/image/link"},
    {L"<br><b>Ctrl + A</b>", L"<br>Select All text"},
    {L"<br><br><b>Ctrl + Z</b>", L"<br><br>Undo last action"},
    {L"<br><b>Ctrl + Y</b>", L"<br>Redo last action"},
    {L"<br><br><b>Ctrl + N</b>", L"<br><br>Create New empty note"},
    {L"<br><b>Ctrl + Shift + N</b>", L"<br>Create new note based on current"},
    {L"<br><br><b>Alt+S</b>", L"<br><br>Capture Screenshot"},
    {L"<br><b>Alt+C</b>", L"<br>Capture web page"},
    {L"<br><b>Shift+PrintScr</b>", L"<br>Capture web page (global hotkey)"},
};

const ShortcutRow kFormat[] = {
    {L"<sbr><b>Ctrl + B</b>", L"<sbr>Bold selected text"},
    {L"<br><b>Ctrl + I</b>", L"<br>Italic selected text"},
    {L"<br><b>Ctrl + D</b>", L"<br>Strike-through selected text (Done)"},
    {L"<br><br><b>Ctrl + Shift + L</b>", L"<br><br>Insert bullet (list)"},
    {L"<br><br><b>Ctrl + K</b>", L"<br><br>Insert/Edit hyperlink"},
    {L"<br><b>Ctrl + H</b>", L"<br>Toggle header type 1-3 and normal"},
    {L"<br><br><b>Alt + 1-9</b>", L"<br><br>Line spacing "},
    {L"<br><br><b>Ctrl + NumPad +/-</b>", L"<br><br>Zoom out/in"},
    {L"<br><b>Ctrl + NumPad *</b>", L"<br>Zoom 100%"},
};

const ShortcutRow kMouse[] = {
    {L"<sbr><b>Double-click word</b>", L"<sbr>Select the current word"},
    {L"<br><br><b>Triple-click word</b>", L"<br><br>Select the current line"},
    {L"<br><br><b>Scrollwheel up/down</b>", L"<br><br>Scroll up/down"},
    {L"<br><br><b>Mousebutton 3/4</b>", L"<br><br>Go to previous/next note"},
    {L"<br><br><b>Ctrl + Scrollwheel up/down</b>", L"<br><br>Zoom out/in"},
    {L"<br><br><b>Ctrl + Scrollwheel button</b>", L"<br><br><br>Zoom 100%"},
    {L"", L"<br><br>Please note that using the ScrollWheel while Preview is active will scroll the Preview window, not "
          L"the editor"},
};

const ShortcutRow kSearch[] = {
    {L"<b>Left Arrow</b>", L"Reset edit text"},
    {L"<br><b>Up/Down Arrow</b>", L"<br>Select previous/next"},
    {L"<br><b>Enter</b>", L"<br>Activate / Select"},
    {L"<sbr><br><h3>QuickSearch</h3>", L"<sbr><br><h3>\x00A0</h3>"},
    {L"<br><b>Shift</b> <i>(hold) </i>", L"<br>QuickPreview note"},
    {L"<br><b>Ctrl+Space</b>", L"<br>Activate full-text search"},
    {L"<br><b>Escape</b>", L"<br>Toggle QuickSearch and Editor"},
    {L"<sbr><br><h3>Full-text search</h3>", L"<sbr><br><h3>\x00A0</h3>"},
    {L"<br><b>Escape</b>", L"<br>Return to QuickSearch"},
    {L"<br><b>Space/Enter</b>", L"<br>New search"},
    {L"<sbr><br><h3>Incremental search</h3>", L"<sbr><br><h3>\x00A0</h3>"},
    {L"<br><b>Right Arrow</b>", L"<br>Complete search word"},
    {L"<br><b>Tab</b>", L"<br>Toggle Search and Replace"},
};

const ShortcutRow kOther[] = {
    {L"<sbr><b>Ctrl + Q</b>", L"<sbr>Quick Help (this)"},
    {L"<br><b>Ctrl + T</b>", L"<br>Insert date"},
    {L"<sbr><sbr><b>Alt+Z</b>", L"<sbr><sbr>Toggle Image Zoom"},
    {L"<br><b>Alt+B</b>", L"<br>Browse Images"},
    {L"<br><b>Alt+T</b>", L"<br>Tip of the day"},
    {L"<br><b>Alt+F</b>", L"<br>File menu"},
    {L"<sbr><sbr><b>F1</b>", L"<sbr><sbr>Help file"},
    {L"<br><b>F2</b>", L"<br>Rename note"},
    {L"<br><b>F4</b>", L"<br>Insert date/time (alt. formatting)"},
    {L"<br><b>F5</b>", L"<br>Refresh note (update autolinks etc)"},
    {L"<br><b>Shift+F5</b>", L"<br>Full Refresh (sync etc)"},
    {L"<br><b>F10</b>", L"<br>Show / hide Ribbon"},
    {L"<br><b>F11</b>", L"<br>Normal / maximized Window"},
    {L"<br><b>F12</b>", L"<br>Show / hide Tavik"},
};

#define TAB_ROWS(rows) rows, (int)(sizeof(rows) / sizeof(rows[0]))
const ShortcutTab kTabs[kShortcutTabs] = {
    {L"Navigate", L"<h2>Navigating</h2><sbr>", L"<h2>\x00A0</h2><sbr>", TAB_ROWS(kNavigate)},
    {L"Edit", L"<h2>Editing</h2><sbr>", L"<h2>\x00A0</h2><sbr>", TAB_ROWS(kEdit)},
    {L"Format", L"<h2>Formatting</h2><sbr>", L"<h2>\x00A0</h2><sbr>", TAB_ROWS(kFormat)},
    {L"Mouse", L"<h2>Mouse</h2><sbr>", L"<h2>\x00A0</h2><sbr>", TAB_ROWS(kMouse)},
    {L"Search", L"<h2>Search</h2><sbr><sbr><h3>Common</h3><br>",
     L"<h2>\x00A0</h2><sbr><sbr>(Quick, Full, Incremental search)<h3>\x00A0</h3><br>", TAB_ROWS(kSearch)},
    {L"Other", L"<h2>Other</h2><sbr>", L"<h2>\x00A0</h2><sbr>", TAB_ROWS(kOther)},
};
#undef TAB_ROWS

const ShortcutTab& TabOf(int tab) { return kTabs[(tab >= 1 && tab <= kShortcutTabs ? tab : 1) - 1]; }

}  // namespace

const WCHAR* ShortcutTabName(int tab) { return TabOf(tab).name; }

void ShortcutColumns(int tab, AIString& keys, AIString& descriptions)
{
    const ShortcutTab& t = TabOf(tab);
    keys.AssignText(t.keyHeading);
    descriptions.AssignText(t.descriptionHeading);
    for (int i = 0; i < t.count; i++) {
        keys.AppendText(t.rows[i].keys);
        descriptions.AppendText(t.rows[i].description);
    }
}
