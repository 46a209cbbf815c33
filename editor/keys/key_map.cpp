// The editor's key tables and the calculations its keys make.
#include "editor/keys/key_map.h"

namespace {

const int32_t kAnyMods = kModShift | kModCtrl | kModAlt;

// One row: the key, the modifiers it needs, the modifiers it does not look at.
struct ChordRow {
    WPARAM key;
    int32_t modifiers;
    int32_t ignored;
    EditorChord chord;
};

const ChordRow kChordRows[] = {
    {'C', kModCtrl, 0, kChordCopyRich},
    {VK_INSERT, kModCtrl, 0, kChordCopyRich},
    {'X', kModCtrl, 0, kChordCutRich},
    {'C', kModCtrl | kModShift, 0, kChordCopyPlain},
    {'X', kModCtrl | kModShift, 0, kChordCutPlain},
    {'V', kModCtrl, 0, kChordPaste},
    {VK_INSERT, kModShift, 0, kChordPaste},
    {'A', kModCtrl, 0, kChordSelectAll},
    {VK_CAPITAL, 0, kAnyMods, kChordCapsLock},
    {'S', kModCtrl, 0, kChordSave},
    {'F', kModCtrl | kModShift, 0, kChordFullTextSearch},
    {'F', kModCtrl, 0, kChordIncSearch},
    {'R', kModCtrl, 0, kChordReplace},
    {VK_F3, 0, kAnyMods, kChordF3Release},
    {VK_F2, 0, kAnyMods, kChordRename},
    {VK_F5, 0, kAnyMods, kChordRefresh},
    {VK_F11, 0, kAnyMods, kChordMaximise},
    {VK_F4, 0, kModShift | kModCtrl, kChordDateTime},
    {'N', kModCtrl, kModShift, kChordNewNote},
    {'D', kModCtrl, 0, kChordStrikeThrough},
    {'B', kModCtrl, 0, kChordBold},
    {'I', kModCtrl, 0, kChordItalic},
    {'G', kModCtrl, kModShift, kChordNextHeading},
    {'J', kModCtrl, 0, kChordWordOccurrence},
    {'K', kModCtrl, 0, kChordHyperlink},
    {'T', kModCtrl, 0, kChordDate},
    {'P', kModCtrl, 0, kChordPrint},
    {'Q', kModCtrl, 0, kChordShortcuts},
    {'O', kModCtrl, 0, kChordOpenDatafile},
    {'L', kModCtrl | kModShift, 0, kChordBullet},
    {'L', kModCtrl, 0, kChordQuickSearch},
    {VK_MULTIPLY, kModCtrl, 0, kChordZoomReset},
    {VK_ADD, kModCtrl, 0, kChordZoomIn},
    {VK_SUBTRACT, kModCtrl, 0, kChordZoomOut},
    {VK_DOWN, kModCtrl, kModShift, kChordNextParagraph},
    {VK_UP, kModCtrl, kModShift, kChordPreviousParagraph},
};

struct SystemRow {
    WPARAM key;
    SystemKeyAction action;
};

// With Alt held (no Ctrl).
const SystemRow kSystemRows[] = {
    {VK_LEFT, kSysNavigateBack},
    {VK_RIGHT, kSysNavigateForward},
    {VK_DOWN, kSysNextLink},
    {VK_UP, kSysPreviousLink},
    {'S', kSysForwardToQuickSearch},
    {'C', kSysForwardToQuickSearch},
    {'Z', kSysImageZoom},
    {VK_OEM_PLUS, kSysImagesLarge},
    {VK_OEM_MINUS, kSysImagesSmall},
    {'F', kSysFilePanel},
    {'T', kSysTipOfDay},
    {'V', kSysSplitView},
    {'W', kSysLookUpWord},
    {'B', kSysBrowseLinks},
    {'D', kSysQuickSearch},
};

int IsBlankOrBreak(WCHAR ch) { return ch == L' ' || ch == L'\r' || ch == 0; }

}  // namespace

CtrlKeyRoute RouteCtrlKey(WPARAM key)
{
    switch (key) {
    case VK_BACK: case VK_END: case VK_HOME: case VK_LEFT: case VK_RIGHT: case 'Y': case 'Z':
        return kCtrlKeyPassOn;
    case VK_UP: case VK_DOWN: case VK_INSERT: case VK_MULTIPLY: case VK_ADD: case VK_SUBTRACT:
        return kCtrlKeyHandled;
    default:
        break;
    }
    if (key >= 'A' && key <= 'X' && key != 'E' && key != 'M' && key != 'U' && key != 'W') return kCtrlKeyHandled;
    if (key >= '0' && key <= '9') return kCtrlKeyHandled;
    return kCtrlKeySwallow;
}

EditorChord ChordOfKeyDown(WPARAM key, int32_t modifiers)
{
    for (const ChordRow& row : kChordRows)
        if (row.key == key && (modifiers & ~row.ignored) == row.modifiers) return row.chord;
    if (key >= '0' && key <= '9' && modifiers == kModCtrl) return kChordFavourite;
    return kChordNone;
}

int32_t FavouriteOfDigit(WPARAM key)
{
    if (key == '0') return -1;
    return key >= '1' && key <= '9' ? (int32_t)(key - '0') : 0;
}

int IsNavigationKey(WPARAM key)
{
    switch (key) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        return 1;
    default:
        return 0;
    }
}

int IsCaretOnlyKey(WPARAM key)
{
    switch (key) {
    case VK_SHIFT: case VK_CONTROL: case VK_F5: case VK_F10: case VK_F11: case VK_F12:
        return 1;
    default:
        return IsNavigationKey(key);
    }
}

SystemKeyAction SystemKeyOf(WPARAM key, int32_t modifiers)
{
    if (key == VK_F10 && !(modifiers & kModCtrl)) return kSysToggleRibbon;
    if (!(modifiers & kModAlt) || (modifiers & kModCtrl)) return kSysNone;
    if (key >= '1' && key <= '9') return (modifiers & kModShift) ? kSysNone : kSysLineSpacing;
    for (const SystemRow& row : kSystemRows)
        if (row.key == key) return row.action;
    return kSysNone;
}

int IsDroppedSystemChar(WPARAM ch)
{
    WPARAM upper = ch >= 'a' && ch <= 'z' ? ch - ('a' - 'A') : ch;
    switch (upper) {
    case 'C': case 'Z': case 'F': case 'T': case 'S': case 'V': case 'W':
        return 1;
    default:
        return 0;
    }
}

int IsReservedNoteChar(WCHAR ch) { return ch == 0x00A4 || ch == 0x00B1; }

int HoldsReservedNoteChar(const WCHAR* text, int32_t len)
{
    for (int32_t i = 0; text && i < len; i++)
        if (IsReservedNoteChar(text[i])) return 1;
    return 0;
}

PictureStep PictureStepOfKey(WPARAM key, int32_t modifiers)
{
    switch (key) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL:
    case VK_RCONTROL: case VK_LMENU: case VK_RMENU: return kStepNone;
    default: break;
    }
    if (modifiers & (kModShift | kModCtrl | kModAlt)) return kStepHide;
    switch (key) {
    case VK_SPACE: case VK_DOWN: case VK_RIGHT: return kStepNext;
    case VK_UP: case VK_LEFT: return kStepPrevious;
    default: return kStepHide;
    }
}

int32_t ZoomStepped(int32_t numerator, int32_t denominator, int32_t direction)
{
    int32_t percent = numerator <= 0 || denominator <= 0 ? kZoomNormal : numerator * kZoomNormal / denominator;
    if (direction == 0) return kZoomNormal;
    if (direction > 0) return percent + kZoomStep > kZoomMax ? kZoomMax : percent + kZoomStep;
    return percent - kZoomStep < kZoomMin ? (percent < kZoomMin ? percent : kZoomMin) : percent - kZoomStep;
}

int32_t ZoomWheeled(int32_t numerator, int32_t denominator, int32_t notches)
{
    int32_t percent = numerator <= 0 || denominator <= 0 ? kZoomNormal : numerator * kZoomNormal / denominator;
    int64_t zoomed = (int64_t)percent + (int64_t)notches * kWheelZoomStep;
    if (zoomed < kWheelZoomMin) return kWheelZoomMin;
    if (zoomed > kZoomMax) return kZoomMax;
    return (int32_t)zoomed;
}

int32_t LineSpacingValue(int32_t fontPoints, int32_t n) { return fontPoints * (105 + 15 * n) / 10; }

void TrimSelection(const WCHAR* text, int32_t len, int32_t* start, int32_t* end)
{
    int32_t s = *start, e = *end;
    if (s < 0 || e > len || e <= s) return;
    while (e > 1 && e > s && IsBlankOrBreak(text[e - 1])) e--;
    while (s < e && IsBlankOrBreak(text[s]) && !(text[s] == L' ' && s > 0 && text[s - 1] == L'\r')) s++;
    if (e <= s) return;
    *start = s;
    *end = e;
}

int32_t NextParagraphStart(const WCHAR* text, int32_t len, int32_t from)
{
    if (from < 0) from = 0;
    int32_t hit = -1;
    for (int32_t i = from; i + 1 < len; i++) {
        if (text[i] != L'\r' || text[i + 1] != L'\r') continue;
        hit = i;
        // A run of empty lines counts as one gap.
        while (hit + 2 < len && text[hit + 2] == L'\r') hit++;
        break;
    }
    return hit < 0 ? len : hit + 2;
}

int32_t PreviousParagraphStart(const WCHAR* text, int32_t len, int32_t from)
{
    if (from > len) from = len;
    int32_t i = from - 1;
    // Step over the line breaks right before the caret, then find the gap before them.
    while (i > 0 && (text[i] == L'\r' || text[i - 1] == L'\r')) i--;
    for (; i > 0; i--)
        if (text[i] == L'\r' && text[i - 1] == L'\r') return i + 1 > from ? 0 : i + 1;
    return 0;
}
