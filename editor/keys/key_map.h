// The note editor's key map as tables: which chord a key-down flags (the
// chord is carried out when a key goes up), which Ctrl keys RichEdit sees
// unchanged, which keys only move the caret, the system keys, and the small
// calculations the keys make (zoom steps, line spacing, selection trimming,
// paragraph steps). No window here.
#pragma once
#include "foundation/win.h"

// The chords, in the order a key release looks at them (the first pending one wins).
enum EditorChord : int32_t {
    kChordNone = 0,
    kChordCopyRich,
    kChordCutRich,
    kChordCopyPlain,
    kChordCutPlain,
    kChordPaste,
    kChordSelectAll,
    kChordCapsLock,
    kChordSave,
    kChordFullTextSearch,
    kChordIncSearch,
    kChordReplace,
    kChordF3Release,
    kChordRename,
    kChordRefresh,
    kChordMaximise,
    kChordDateTime,
    kChordCtrlTap,
    kChordNewNote,
    kChordStrikeThrough,
    kChordBold,
    kChordItalic,
    kChordNextHeading,
    kChordWordOccurrence,
    kChordHyperlink,
    kChordDate,
    kChordPrint,
    kChordShortcuts,
    kChordOpenDatafile,
    kChordBullet,
    kChordQuickSearch,
    kChordZoomReset,
    kChordZoomIn,
    kChordZoomOut,
    kChordNextParagraph,
    kChordPreviousParagraph,
    kChordFavourite,
    kChordCount
};

// The modifiers held while a key went down.
enum KeyModifiers : int32_t { kModShift = 1, kModCtrl = 2, kModAlt = 4 };

// What the key-down of a Ctrl combination does before any chord is looked at.
enum CtrlKeyRoute : int32_t {
    kCtrlKeySwallow = 0,   // neither RichEdit nor a command sees it
    kCtrlKeyPassOn = 1,    // RichEdit handles it (word moves, undo, redo)
    kCtrlKeyHandled = 2,   // a chord of the table below
};
// Ctrl alone with a key (no Shift, no Alt).
CtrlKeyRoute RouteCtrlKey(WPARAM key);

// The chord a key-down flags, kChordNone when it flags none. F2, F4, F5 and
// F11 need no Ctrl; Ctrl+Insert copies, Shift+Insert pastes.
EditorChord ChordOfKeyDown(WPARAM key, int32_t modifiers);
// The favourite a Ctrl+digit chord opens: 1 to 9, and -1 (edit the favourites) for 0.
int32_t FavouriteOfDigit(WPARAM key);

// Keys that only move the caret or page (allowed in a read-only data file).
int IsNavigationKey(WPARAM key);
// Keys whose release changes nothing in the text (no edit marker is claimed).
int IsCaretOnlyKey(WPARAM key);

// The system keys (Alt held) and F10.
enum SystemKeyAction : int32_t {
    kSysNone = 0,
    kSysNavigateBack,
    kSysNavigateForward,
    kSysNextLink,
    kSysPreviousLink,
    kSysForwardToQuickSearch,
    kSysImageZoom,
    kSysImagesLarge,
    kSysImagesSmall,
    kSysFilePanel,
    kSysTipOfDay,
    kSysSplitView,
    kSysLookUpWord,
    kSysBrowseLinks,
    kSysQuickSearch,
    kSysToggleRibbon,
    kSysLineSpacing,
};
SystemKeyAction SystemKeyOf(WPARAM key, int32_t modifiers);
// The system characters that are dropped (their key-up does the work).
int IsDroppedSystemChar(WPARAM ch);

// Characters the data file reserves as separators: never typed into a note.
int IsReservedNoteChar(WCHAR ch);
// 1 when the text holds a reserved character.
int HoldsReservedNoteChar(const WCHAR* text, int32_t len);

// While a picture preview is shown, what a key's release does: Space, Down
// and Right without modifiers step to the next picture link, Up and Left to
// the previous one; Shift, Ctrl and Alt themselves do nothing; every other
// key takes the picture away (and does its own work).
enum PictureStep { kStepNone = -1, kStepPrevious = 0, kStepNext = 1, kStepHide = 2 };
PictureStep PictureStepOfKey(WPARAM key, int32_t modifiers);

// Zoom ratio steps: a ratio of 0/0 counts as 100/100; the numerator stays
// between kZoomMin and kZoomMax and moves by kZoomStep.
enum { kZoomMin = 50, kZoomMax = 500, kZoomStep = 50, kZoomNormal = 100 };
int32_t ZoomStepped(int32_t numerator, int32_t denominator, int32_t direction);
// Ctrl+wheel: finer steps over a wider range than the keys.
enum { kWheelZoomMin = 10, kWheelZoomStep = 10 };
int32_t ZoomWheeled(int32_t numerator, int32_t denominator, int32_t notches);

// The line-spacing value of Alt+n (1..9) for an editor font size in points:
// size * (105 + 15 n) / 10.
int32_t LineSpacingValue(int32_t fontPoints, int32_t n);

// Trims a selection after its keys are released: blanks, CR and NUL at its
// end, and at its start (except a blank right after a CR) go; a selection
// that would vanish stays as it was. Positions into text (length len).
void TrimSelection(const WCHAR* text, int32_t len, int32_t* start, int32_t* end);

// Ctrl+Down: the caret place of the next paragraph after `from` (two past the
// last "\r\r" of a run of them), or len when there is none.
int32_t NextParagraphStart(const WCHAR* text, int32_t len, int32_t from);
// Ctrl+Up: the start of the paragraph before `from`, or 0.
int32_t PreviousParagraphStart(const WCHAR* text, int32_t len, int32_t from);
