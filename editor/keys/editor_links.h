// What the note editor needs of the shell, the dialogs and the search layer,
// which sit beside or above it: the shell fills these in once its windows
// exist. Every null entry is skipped (a command that is not there yet says
// so on the status line), so the editor also runs in a bare test window.
#pragma once
#include "foundation/win.h"
#include <richedit.h>
#include "ui/status_line.h"

class AIString;

// The controls of the ribbon whose state follows the caret.
enum EditorRibbonControl : int32_t {
    kRibbonBold = 0,
    kRibbonItalic,
    kRibbonStrike,
    kRibbonHyperlink,
    kRibbonNormal,
    kRibbonHeadingSmall,
    kRibbonHeadingAverage,
    kRibbonHeadingLarge,
    kRibbonPaste,
    kRibbonCopy,
    kRibbonCopyPlain,
    kRibbonCut,
    kRibbonUndo,
    kRibbonRedo,
    kRibbonInNoteSearch,  // incremental search in the note
    kRibbonControlCount
};

// The status line's slots the editor writes (slot 0 holds the messages).
enum EditorStatusSlot : int { kStatusSlotCaps = 1, kStatusSlotLength = 2, kStatusSlotEditor = 3 };

// The content window's timers the editor starts.
enum EditorTimer : UINT_PTR {
    kEditorTimerCtrlHintSecond = 10002,
    kEditorTimerCtrlHint = 10099,
    kEditorTimerStatus = 10110,    // ends the caret-line highlight
};
enum : UINT { kEditorStatusHighlightMs = 1000, kCtrlHintMs = 500, kCtrlHintSecondMs = 2000 };

// The screens and panels a key opens.
enum EditorScreen : int32_t {
    kEditorScreenShortcuts = 0,
    kEditorScreenTipOfDay,
    kEditorScreenFilePanel,
    kEditorScreenBrowseLinks,
    kEditorScreenFavourites,
};

// How a picture link is previewed: the picture itself, or for a few seconds
// its small or screen-size thumbnail (while stepping through links).
enum ImageLinkPreview : int { kImageHoverPreview = 0, kImageThumbnailSmall = 1, kImageThumbnailScreen = 2 };

// The mode of a link made to a file that was not copied into the data folder.
const int32_t kLinkModeUncopiedFile = -100;
// A screen the dialog host does not offer (yet).
const int32_t kScreenNotOffered = -2;
// The hyperlink dialog's answer when its Delete button removed the link.
enum : int32_t { kHyperlinkRemoved = 2 };

struct EditorShellLinks {
    HWND frame = nullptr;
    HWND content = nullptr;

    // Status line: slot 0, or a given slot.
    void (*setStatusText)(const WCHAR* text, StatusLevel level) = nullptr;
    void (*setStatusSlot)(const WCHAR* text, StatusLevel level, int slot) = nullptr;
    // A numbered message of the catalogue.
    void (*showMessage)(int32_t messageId) = nullptr;
    // Closes an open message box.
    void (*closeMessageBox)() = nullptr;

    // Note commands.
    int (*saveNote)() = nullptr;
    int (*newNote)(int fromActive) = nullptr;
    int (*renameNote)() = nullptr;
    int (*refreshNotes)(int syncAll) = nullptr;
    int (*navigate)(int forward) = nullptr;
    int (*openDatafile)() = nullptr;
    int (*printNote)() = nullptr;
    int (*toggleHeading)() = nullptr;
    // The paragraph at the caret as plain text (0) or a heading of level 1-3.
    int (*setHeading)(int level) = nullptr;
    int (*quickSearch)(int focus) = nullptr;
    int (*incSearch)(int mode) = nullptr;
    int (*fullTextSearch)(const WCHAR* text) = nullptr;
    int (*openFavourite)(int slot) = nullptr;
    // A screen: its result (-1 cancelled), or kScreenNotOffered.
    int32_t (*runScreen)(EditorScreen screen) = nullptr;
    // The hyperlink dialog over label and target (shown in its fields); isNew
    // 1 for a link made from the selection, 0 for a link of the note: 1
    // accepted, 0 cancelled, kHyperlinkRemoved, -1 when the dialog is not there.
    int32_t (*editHyperlink)(AIString& label, AIString& target, int isNew) = nullptr;
    // The hyperlink dialog opened on a new link already filled in (a pasted
    // file): mode and note text go to the dialog as they are. 1 accepted,
    // 0 cancelled, -1 when the dialog is not there.
    int32_t (*editNewHyperlink)(AIString& label, AIString& target, int32_t mode, const WCHAR* noteText) = nullptr;
    // The paste-image screen over the clipboard picture: its result (-1
    // closed), or kScreenNotOffered.
    int32_t (*pasteImageScreen)() = nullptr;
    // A numbered message with one insert.
    void (*showMessageWithText)(int32_t messageId, const WCHAR* insert) = nullptr;
    // Text was pasted into the editor (the frame's follow-up).
    void (*pasted)() = nullptr;
    // A picture was saved into the images folder: the image list's cache is
    // out of date and the picture's thumbnail is due.
    void (*imageSaved)(const WCHAR* path) = nullptr;
    // A link was made to target: a picture's thumbnail is due.
    void (*linkedFile)(const WCHAR* target) = nullptr;
    int (*lookUpWord)() = nullptr;
    // The picture a link names previewed (ImageLinkPreview): 1 when the link
    // is a picture. now 0 waits for the hover delay unless a picture is shown.
    int (*previewImage)(const WCHAR* link, int now, int mode) = nullptr;
    // The link preview pane for a link's target (noteTitle 1: a note link's
    // title, whatever it holds), after the hover delay.
    void (*previewLink)(const WCHAR* target, int noteTitle) = nullptr;
    // 1 while a picture is drawn over the note list or the editor.
    int (*isImageShown)() = nullptr;
    // A press at a screen point on the shown picture: its note is shown (1),
    // else 0 and the press is the editor's.
    int (*clickPicture)(POINT screen) = nullptr;
    // Takes the previews (picture and link pane) away.
    void (*hidePreview)() = nullptr;
    void (*toggleSplitView)() = nullptr;
    // Split view's picture in the editor's place: a step more (up 1) or less
    // of the background seen through it.
    void (*stepPictureTransparency)(int up) = nullptr;
    void (*toggleImageZoom)() = nullptr;
    // Image previews large (1) or small (0); says so in the status line.
    void (*setImageZoom)(int large) = nullptr;
    // Keys that belong to the QuickSearch field (Alt+S, Alt+C).
    void (*forwardToQuickSearch)(UINT message, WPARAM wParam, LPARAM lParam) = nullptr;

    // The display of the note's mark-up: the paragraph at a position as its
    // text says (heading or body).
    void (*formatParagraph)(HWND editor, int position) = nullptr;
    // The format formatParagraph gives that paragraph; returns its heading
    // level (0: body text).
    int (*paragraphFormat)(HWND editor, int position, CHARFORMAT2W* format) = nullptr;
    // The editor's background for the current state (removes the caret-line tint).
    void (*applyEditorBackground)() = nullptr;
    // The content window's application timers.
    void (*startTimer)(UINT_PTR timerId, UINT milliseconds) = nullptr;
    void (*stopTimer)(UINT_PTR timerId) = nullptr;
    // The held-Ctrl hint: start it with the editor's own second timer, stop it (and repaint).
    void (*startCtrlHint)(UINT_PTR fieldTimer) = nullptr;
    void (*stopCtrlHint)() = nullptr;
    // The editor took the focus: when a sync or share folder is set, the
    // note shown is shown again if a pass brought a newer text of it.
    void (*showSyncedNote)() = nullptr;
    // 1 while the QuickSearch field has the focus.
    int (*isQuickSearchFocused)() = nullptr;
    // The mouse moved over the editor (keys and point as WM_MOUSEMOVE has
    // them): the link under it is previewed.
    void (*mouseOverText)(HWND editor, WPARAM keys, LPARAM point) = nullptr;
    // The frame's window under a screen point that scrolls with the wheel
    // itself (the note list; without Ctrl also the QuickSearch field), or null.
    HWND (*wheelTargetAt)(POINT screen, int ctrl) = nullptr;
    // A ribbon control's state, and its help text on the status line.
    void (*setRibbonControl)(EditorRibbonControl control, int enabled, int pressed) = nullptr;
    void (*showRibbonHelp)(EditorRibbonControl control) = nullptr;

    // Following links. A note by index, recorded in the history (Back returns).
    int (*showNote)(int32_t noteIndex) = nullptr;
    // The shell opens a target: 1 when it did. Tests put their own in.
    int (*openInShell)(const WCHAR* verb, const WCHAR* target, const WCHAR* parameters,
                       const WCHAR* folder) = nullptr;
    // The main window goes down (the shell's window comes up in its place).
    void (*minimiseMain)() = nullptr;
    // A Yes/No question: 1 for Yes.
    int (*confirm)(const WCHAR* question) = nullptr;
    // A picture link followed: the note the picture was named after (1 when
    // shown), and the picture shown by the program's image preview (1 when shown).
    int (*openNoteOfImage)(const WCHAR* path) = nullptr;
    int (*showImage)(const WCHAR* path) = nullptr;
    // "Edit image": the picture in the paste-and-edit screen, saved back over its file.
    int (*editImage)(const WCHAR* path) = nullptr;
    // A file link's quick preview (FilePreviewKind: text or rich text of path).
    void (*previewFile)(int32_t kind, const WCHAR* path) = nullptr;
    // Runs a pop-up menu at a screen point: the chosen command, 0 for none.
    UINT (*runMenu)(HMENU menu, POINT screenPoint) = nullptr;
    // The zoom control of the ribbon shows the editor's zoom in percent.
    void (*showRibbonZoom)(int32_t percent) = nullptr;
};

extern EditorShellLinks g_editorShell;

// The keyboard as of the key message being handled: a key down, a key toggled on.
int EditorIsKeyDown(int virtualKey);
int EditorIsKeyToggled(int virtualKey);
void EditorStatus(const WCHAR* text, StatusLevel level);
void EditorMessage(int32_t messageId);
// A command that is not there yet: says so.
void EditorNotAvailable(const WCHAR* what);
