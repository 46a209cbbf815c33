// Small process-wide services: temporary paths, Windows and module versions,
// screen depth, the delay value, desktop composition, caret and cursor state,
// synthesised keys.
#pragma once
#include "foundation/win.h"

class AIString;

// The program's folder in the temporary folder (GetTempPathW + name), or the
// portable temporary folder. An empty or null name means the program's name.
void GetTempFilePath(const WCHAR* name, AIString& out);

// Windows product name and build into text; returns the version as a number
// (5.1, 6.0, 6.1 ...).
double GetWindowsVersionName(AIString& text);

// The file version of a module as four numbers (major, minor, build,
// revision); 1 when the module carries a version resource.
int GetModuleVersion(const WCHAR* moduleName, int32_t parts[4]);

// Bits per pixel of the screen, kept after the first call.
int GetScreenBitsPerPixel();

// The process-wide delay in milliseconds (default 200); 0 reads it.
int GetSetDelayValue(int value);

// DwmFlush when dwmapi offers it, else GdiFlush (flag 0 skips the flush).
void FlushComposition(int flag);
// DwmIsCompositionEnabled when dwmapi offers it, else 0.
int IsCompositionEnabled();

// Shows or hides the mouse pointer once, remembering the state, so repeated
// calls do not pile up ShowCursor's counter; ResetCaretState shows it again.
void ShowCaretState(int show);
void ResetCaretState();

// 1 and 4 the arrow, 2 the hand, 5 the wait cursor.
void SetCursorShape(int kind);

// Synthesised keystrokes through SendInput: one press and release of a key
// (SendKeyStroke returns the events inserted, 2 when it worked), or of a key
// with a modifier held.
int SendKeyStroke(WORD virtualKey);
void PressKey(BYTE virtualKey);
void PressKeyCombo(BYTE modifierKey, BYTE virtualKey);
